#include "catalogue/LineStore.h"

#include "common/TextFile.h"

namespace {
constexpr const char* StoredEndMarker = "END";
}

LineStore::LineStore()
    : Lines(LineStoreCapacity + 1)
{
}

CatalogueTooLong::CatalogueTooLong(const std::string& fileName)
    : std::runtime_error(fileName + " holds more than " + std::to_string(LineStoreCapacity) + " lines")
{
}

bool IsEndMarker(std::string_view line)
{
    return !line.empty() && (line.front() == 'E' || line.front() == 'e');
}

void FileRead(LineStore& store, const std::string& fileName)
{
    TextFileReader file(fileName);
    int i = 0;
    for (;;) {
        const bool endOfFile = file.AtEnd();
        if (i == LineStoreCapacity)
            throw CatalogueTooLong(fileName);
        ++i;
        if (endOfFile) {
            store.Lines[i] = StoredEndMarker;
            break;
        }
        file.ReadLine(store.Lines[i]);
        if (IsEndMarker(store.Lines[i]))
            break;
    }
    file.Close();
    store.LineCount = i;
}
