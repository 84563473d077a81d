// The Windows file layer: how its files are shared with other programs, and
// the codes its failures carry.
#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Unit1.h"
#include "common/IoError.h"
#include "common/NativeFile.h"
#include "common/TextFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace {

// A file held open by another program with the access and sharing given.
class HeldFile {
public:
    HeldFile(const std::string& name, DWORD access, DWORD share)
        : handle_(CreateFileA(name.c_str(), access, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        if (handle_ == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot hold " + name);
    }
    ~HeldFile() { CloseHandle(handle_); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    HANDLE handle_;
};

// The code of the IoError the action raises; 0 when it raises none.
int CodeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const IoError& error) {
        return error.Code();
    }
    return 0;
}

void ReadFirstLine(const std::string& name)
{
    TextFileReader file(name);
    file.ReadLine();
    file.Close();
}

void WriteOneLine(const std::string& name)
{
    TextFileWriter file(name);
    file.WriteLine("data");
    file.Close();
}

TEST(NativeFileWin32, SharesReadingOnlyWithOthers)
{
    TempFolder folder;
    struct Case {
        const char* holder;
        DWORD access;
        DWORD share;
        int readCode;
        int writeCode;
    };
    const Case cases[] = {
        {"a reader sharing reading", GENERIC_READ, FILE_SHARE_READ, 0, 32},
        {"a reader sharing everything", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0, 0},
        {"a writer sharing everything", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 32, 32},
        {"a reader sharing nothing", GENERIC_READ, 0, 32, 32},
        {"a writer sharing reading", GENERIC_WRITE, FILE_SHARE_READ, 32, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holder);
        folder.Write("data.txt", "line\r\n");
        {
            HeldFile held("data.txt", c.access, c.share);
            EXPECT_EQ(CodeOf([] { ReadFirstLine("data.txt"); }), c.readCode);
            EXPECT_EQ(CodeOf([] { WriteOneLine("data.txt"); }), c.writeCode);
        }
        EXPECT_EQ(folder.Read("data.txt"), c.writeCode == 0 ? "data\r\n" : "line\r\n");
    }
}

TEST(NativeFileWin32, WhileTheProgramHoldsAFileOthersMayOnlyRead)
{
    TempFolder folder;
    folder.Write("data.txt", "line\r\n");
    {
        TextFileReader reader("data.txt");
        EXPECT_EQ(CodeOf([] { HeldFile other("data.txt", GENERIC_READ, FILE_SHARE_READ); }), 0);
        EXPECT_THROW(HeldFile("data.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE), std::runtime_error);
        EXPECT_EQ(CodeOf([] { ReadFirstLine("data.txt"); }), 0);
    }
    {
        TextFileWriter writer("out.txt");
        EXPECT_EQ(CodeOf([] { HeldFile other("out.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE); }), 0);
        EXPECT_THROW(HeldFile("out.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE), std::runtime_error);
        writer.WriteLine("x");
        writer.Close();
    }
    EXPECT_EQ(folder.Read("out.txt"), "x\r\n");
}

TEST(NativeFileWin32, ASharingViolationReadsAsANumberedError)
{
    EXPECT_STREQ(IoError(NativeFile::IoCodeFromWindowsError(ERROR_SHARING_VIOLATION)).what(), "I/O error 32");
}

TEST(NativeFileWin32, WindowsErrorsKeepTheirCodesButDiskFull)
{
    const std::pair<unsigned long, int> cases[] = {
        {ERROR_FILE_NOT_FOUND, 2}, {ERROR_PATH_NOT_FOUND, 3}, {ERROR_TOO_MANY_OPEN_FILES, 4},
        {ERROR_ACCESS_DENIED, 5}, {ERROR_SHARING_VIOLATION, 32}, {ERROR_LOCK_VIOLATION, 33},
        {ERROR_HANDLE_DISK_FULL, 101}, {ERROR_DISK_FULL, 101}, {ERROR_INVALID_NAME, 123},
        {ERROR_FILENAME_EXCED_RANGE, 206},
    };
    for (const auto& [error, code] : cases)
        EXPECT_EQ(NativeFile::IoCodeFromWindowsError(error), code) << error;
}

TEST(NativeFileWin32, ACatalogueLockedByAnotherProgramIsReportedAtStart)
{
    TempFolder folder;
    folder.Write("m_ngc_ic.txt", SmallCatalogue);
    HeldFile locked("m_ngc_ic.txt", GENERIC_READ | GENERIC_WRITE, 0);
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    EXPECT_EQ(screen.errorBoxes, (std::vector<RecordingScreen::Box>{{"celestrix", "I/O error 32."}}));
    EXPECT_EQ(form.Catalogue.LineCount, 0);
    EXPECT_EQ(form.Edit3.Text(), "");
}

TEST(NativeFileWin32, ALinkFileLockedByAnotherProgramIsReportedAndKeptIntact)
{
    TempFolder folder;
    folder.Write("m_ngc_ic.txt", SmallCatalogue);
    folder.Write("link.url", "kept");
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    {
        HeldFile locked("link.url", GENERIC_READ, FILE_SHARE_READ);
        form.Button1.Click();
    }
    EXPECT_EQ(screen.errorBoxes, (std::vector<RecordingScreen::Box>{{"celestrix", "I/O error 32."}}));
    EXPECT_EQ(form.Edit1.Text(), M1Url);
    EXPECT_EQ(folder.Read("link.url"), "kept");
    form.Button1.Click();
    EXPECT_EQ(folder.Read("link.url"), ShortcutWith(M1Url));
}

}
