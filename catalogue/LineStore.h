#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int LineStoreCapacity = 20000;
inline constexpr const char* CatalogueFileName = "m_ngc_ic.txt";

// The catalogue's lines, held as read, indexed from 1. After a completed load
// Lines[LineCount] is the end marker, the only stored line that begins with
// "E" or "e"; LineCount is 0 until a load completes.
struct LineStore {
    LineStore();

    std::vector<std::string> Lines;
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
