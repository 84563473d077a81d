#include "WindowFixture.h"

#include <QLineEdit>

#include <cstddef>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define CELESTRIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CELESTRIX_ASAN 1
#endif
#endif
#ifdef CELESTRIX_ASAN
// The sanitizer runtime's count of live heap bytes (its header is not
// installed with every compiler).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

// A long session on real widgets offscreen: one lookup after another in the
// number box and "Generate link" pressed again and again. The heap in use must
// not grow once the first thousand lookups have warmed everything up.
//
// The numbers reach the number box as the box's own typing handler hands them
// over, not key by key: Qt's line edit keeps every typed key in its undo
// history (about 20 bytes a key), which would hide the program's own figure.
namespace {

constexpr int Lookups = 100000;
constexpr int LookupsPerPress = 10;
constexpr int WarmUpLookups = 1000;
constexpr std::size_t AllowedGrowth = 256 * 1024;

// Bytes the program holds on the heap now. AddressSanitizer keeps freed blocks
// aside for a while, so there its allocator's own count of live bytes is read.
std::size_t HeapInUse()
{
#ifdef CELESTRIX_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

class LongSession : public WindowFixture {};

TEST_F(LongSession, HeapStaysFlatOverManyLookupsAndLinks)
{
    QWidget* button1 = Widget<QWidget>("Button1");
    // Found (M 1, M 12, M 31) and not found (13, 9999, and an emptied box) by turns.
    const char* numbers[] = {"12", "13", "31", "9999", "1", ""};
    std::size_t warm = 0;
    for (int lookup = 0; lookup < Lookups; ++lookup) {
        if (lookup == WarmUpLookups) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            warm = HeapInUse();
        }
        ASSERT_TRUE(form.Edit8.UserEdit(numbers[lookup % std::size(numbers)]));
        if (lookup % LookupsPerPress == LookupsPerPress - 1)
            QTest::mouseClick(button1, Qt::LeftButton);
        if (lookup % 100 == 99)
            QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::size_t end = HeapInUse();
    RecordProperty("HeapAfterWarmUp", std::to_string(warm));
    RecordProperty("HeapAtEnd", std::to_string(end));

    form.Edit8.UserEdit("1");
    QTest::mouseClick(button1, Qt::LeftButton);
    EXPECT_EQ(Widget<QLineEdit>("Edit3")->text(), "05");
    EXPECT_EQ(folder.Read("link.url"), ShortcutWith(M1Url));
    EXPECT_LE(end, warm + AllowedGrowth) << "heap after warm-up " << warm << ", at the end " << end;
}

}
