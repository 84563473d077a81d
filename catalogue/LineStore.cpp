#include "catalogue/LineStore.h"

#include "common/TextFile.h"

#include <ostream>

namespace {
constexpr const char* StoredEndMarker = "END";

// Room for a full store of lines as long as the shipped catalogue's, reserved
// once: pages the lines never reach are never touched.
constexpr std::size_t TypicalLineLength = 48;
}

CatalogueLines::CatalogueLines(std::size_t count, std::size_t textCapacity)
    : spans_(count)
{
    text_.reserve(textCapacity);
}

std::ostream& operator<<(std::ostream& out, const CatalogueLines::ConstLine& line)
{
    return out << line.View();
}

CatalogueLines::Line& CatalogueLines::Line::operator=(std::string_view text)
{
    owner_->Set(index_, text);
    return *this;
}

void CatalogueLines::Set(std::size_t index, std::string_view text)
{
    // text may lie in the block itself, which appending can move.
    const std::string copy(text);
    spans_[index] = {text_.size(), copy.size()};
    text_.append(copy);
}

void CatalogueLines::ReadLine(std::size_t index, TextFileReader& file)
{
    const std::size_t offset = text_.size();
    file.AppendLine(text_);
    spans_[index] = {offset, text_.size() - offset};
}

LineStore::LineStore()
    : Lines(LineStoreCapacity + 1, LineStoreCapacity * TypicalLineLength)
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
        store.Lines.ReadLine(i, file);
        if (IsEndMarker(store.Lines[i]))
            break;
    }
    file.Close();
    store.LineCount = i;
}
