#pragma once

#include <cstddef>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TextFileReader;

inline constexpr int LineStoreCapacity = 20000;
inline constexpr const char* CatalogueFileName = "m_ngc_ic.txt";

// The store's lines, held one after another in a single block of text: a load
// makes no allocation per line, and a scan reads memory in order. Lines[i]
// reads as text and can be assigned; lines never set are empty.
class CatalogueLines {
public:
    // One line, read-only.
    class ConstLine {
    public:
        std::string_view View() const { return lines_->View(index_); }
        operator std::string_view() const { return View(); }
        operator std::string() const { return std::string(View()); }
        friend bool operator==(const ConstLine& line, std::string_view text) { return line.View() == text; }
        friend std::ostream& operator<<(std::ostream& out, const ConstLine& line);

    protected:
        ConstLine(const CatalogueLines& lines, std::size_t index)
            : lines_(&lines)
            , index_(index)
        {
        }
        const CatalogueLines* lines_;
        std::size_t index_;
        friend class CatalogueLines;
    };

    // One line, assignable.
    class Line : public ConstLine {
    public:
        Line& operator=(std::string_view text);
        Line& operator=(const Line& other) { return *this = other.View(); }

    private:
        Line(CatalogueLines& lines, std::size_t index)
            : ConstLine(lines, index)
            , owner_(&lines)
        {
        }
        CatalogueLines* owner_;
        friend class CatalogueLines;
    };

    // count lines, all empty, with room for textCapacity bytes of text.
    CatalogueLines(std::size_t count, std::size_t textCapacity);

    ConstLine operator[](std::size_t index) const { return {*this, index}; }
    Line operator[](std::size_t index) { return {*this, index}; }

    std::string_view View(std::size_t index) const
    {
        const Span& span = spans_[index];
        return std::string_view(text_.data() + span.offset, span.length);
    }

    // Sets the line to the next line of the file. The text a replaced line
    // held stays in the block until the store goes.
    void ReadLine(std::size_t index, TextFileReader& file);

private:
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    void Set(std::size_t index, std::string_view text);

    std::vector<Span> spans_;
    std::string text_;
};

// The catalogue's lines, held as read, indexed from 1. After a completed load
// Lines[LineCount] is the end marker, the only stored line that begins with
// "E" or "e"; LineCount is 0 until a load completes.
struct LineStore {
    LineStore();

    CatalogueLines Lines;
    int LineCount = 0;
};

// Raised when a catalogue file holds more lines than the store can take.
class CatalogueTooLong : public std::runtime_error {
public:
    explicit CatalogueTooLong(const std::string& fileName);
};

bool IsEndMarker(std::string_view line);

// Loads the catalogue file into the store. A file that ends without an end
// marker is complete: an end marker is stored after its last line. On any
// error LineCount stays 0.
void FileRead(LineStore& store, const std::string& fileName = CatalogueFileName);
