#include "catalogue/Lookup.h"

#include "common/Trim.h"

namespace {
class WindowDisabledWhileScanning {
public:
    explicit WindowDisabledWhileScanning(LookupTarget& target)
        : target_(target)
    {
        target_.SetWindowEnabled(false);
    }
    ~WindowDisabledWhileScanning() { target_.SetWindowEnabled(true); }
    WindowDisabledWhileScanning(const WindowDisabledWhileScanning&) = delete;
    WindowDisabledWhileScanning& operator=(const WindowDisabledWhileScanning&) = delete;

private:
    LookupTarget& target_;
};

bool LineMatches(LookupState& state, std::string_view letter, std::string_view number)
{
    if (state.CurLine.substr(0, 1) != letter)
        return false;
    state.Column = 3;
    STRread(state);
    return TrimmedView(state.Token) == number;
}

void CopyFields(LookupState& state, LookupTarget& target)
{
    for (int box = 0; box < CoordinateBoxCount; ++box) {
        state.Column += 1;
        STRread(state);
        target.SetCoordinate(static_cast<CoordinateBox>(box), Trim(state.Token));
    }
}

void MarkNotFound(LookupState& state, LookupTarget& target)
{
    state.ScanDone = true;
    state.NotFound = true;
    target.ClearForNotFound();
}
}

void STRread(LookupState& state)
{
    const std::size_t start = static_cast<std::size_t>(state.Column - 1);
    if (start >= state.CurLine.size()) {
        state.Token = {};
        return;
    }
    const std::size_t bar = state.CurLine.find('|', start);
    const std::size_t stop = bar == std::string_view::npos ? state.CurLine.size() : bar;
    state.Token = state.CurLine.substr(start, stop - start);
    state.Column = static_cast<int>(stop) + 1;
}

void InFileFind(const LineStore& store, LookupState& state, LookupTarget& target)
{
    state.ScanDone = false;
    state.NotFound = false;
    const std::string choice = target.CatalogueChoice();
    const std::string_view letter = std::string_view(choice).substr(0, 1);
    const std::string number = Trim(target.ObjectNumber());
    WindowDisabledWhileScanning disabled(target);
    if (store.LineCount == 0) {
        MarkNotFound(state, target);
        return;
    }
    state.LineIndex = 1;
    do {
        state.CurLine = store.Lines[static_cast<std::size_t>(state.LineIndex)];
        if (!letter.empty() && LineMatches(state, letter, number)) {
            CopyFields(state, target);
            state.ScanDone = true;
        }
        state.LineIndex += 1;
        if (state.LineIndex == store.LineCount + 1)
            MarkNotFound(state, target);
    } while (!state.ScanDone);
}
