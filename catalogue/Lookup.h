#pragma once

#include "catalogue/LineStore.h"

#include <string>
#include <string_view>

// The coordinate boxes a lookup fills, in the order it fills them.
enum class CoordinateBox { RaHours, RaMinutes, RaSeconds, DecSign, DecDegrees, DecMinutes, DecSeconds };
inline constexpr int CoordinateBoxCount = 7;

// The state of the last lookup. CurLine and Token point into the store.
struct LookupState {
    bool ScanDone = false;
    bool NotFound = false;
    int LineIndex = 0;
    std::string_view CurLine;
    int Column = 0;
    std::string_view Token;
};

// Sets Token to the characters of CurLine from Column up to, not including,
// the next "|" (or the end of the line), and leaves Column on that "|".
void STRread(LookupState& state);

// What a lookup reads from and writes to the window.
class LookupTarget {
public:
    virtual ~LookupTarget() = default;
    virtual std::string CatalogueChoice() const = 0;
    virtual std::string ObjectNumber() const = 0;
    virtual void SetWindowEnabled(bool enabled) = 0;
    virtual void SetCoordinate(CoordinateBox box, const std::string& text) = 0;
    // Empties the six numeric coordinate boxes and the link box.
    virtual void ClearForNotFound() = 0;
};

// Finds the first line whose letter is the first letter of the catalogue
// choice and whose number is the typed number, and copies its seven fields,
// trimmed, into the coordinate boxes. Reaching the end marker instead clears
// the boxes and raises NotFound. The window takes no input meanwhile.
void InFileFind(const LineStore& store, LookupState& state, LookupTarget& target);
