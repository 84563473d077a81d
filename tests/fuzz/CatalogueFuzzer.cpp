// Any bytes as m_ngc_ic.txt, any catalogue choice and any typed number: the
// window starts (loading the catalogue or reporting why not), looks the
// object up as the lines say, writes link.url, and leaves the catalogue as it
// was.
//
// Input: byte 0 picks the catalogue (bits 0-1: M, NGC, IC or none) and, with
// bits 6 and 7 both set, puts close to 20,000 lines of filler before the rest
// (bits 2-5 tune how many); byte 1 gives the length (0-7) of the typed number
// that follows; the remaining bytes end the file.

#include "FuzzSupport.h"
#include "RecordingScreen.h"
#include "app/Unit1.h"
#include "catalogue/LineStore.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

struct Input {
    int choice = 0;
    std::string number;
    std::string file;
};

Input Decode(const std::uint8_t* data, std::size_t size)
{
    Input input;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const auto take = [&rest](std::size_t count) {
        const std::string_view part = rest.substr(0, count);
        rest.remove_prefix(part.size());
        return part;
    };
    const std::uint8_t header = rest.empty() ? 0 : static_cast<std::uint8_t>(take(1)[0]);
    input.choice = (header & 3) == 3 ? -1 : header & 3;
    if ((header & 0xC0) == 0xC0) {
        const int filler = LineStoreCapacity - 8 + ((header >> 2) & 0xF);
        for (int i = 0; i < filler; ++i)
            input.file += "x\n";
    }
    const std::size_t numberLength = rest.empty() ? 0 : static_cast<std::uint8_t>(take(1)[0]) % 8;
    input.number = take(numberLength);
    input.file += rest;
    return input;
}

bool StartsWithEndMarker(std::string_view line)
{
    return !line.empty() && (line[0] == 'E' || line[0] == 'e');
}

// The lines the store should hold: up to the first end marker, or all lines
// and an end marker of the program's own. None when they are too many.
std::optional<std::vector<std::string>> ExpectedStore(const std::string& file)
{
    std::vector<std::string> lines = fuzz::ExpectedLines(file);
    std::size_t count = 0;
    while (count < lines.size() && !StartsWithEndMarker(lines[count]))
        ++count;
    if (count == lines.size())
        lines.push_back("END");
    lines.resize(count + 1);
    if (lines.size() > static_cast<std::size_t>(LineStoreCapacity))
        return std::nullopt;
    return lines;
}

// The seven coordinate fields of the first line of that catalogue letter and
// number, in the order the lookup fills the boxes; none when no line matches.
std::optional<std::array<std::string, 7>> ExpectedFields(const std::vector<std::string>& store,
    const std::string& choice, const std::string& typed)
{
    if (choice.empty())
        return std::nullopt;
    const std::string number = fuzz::ExpectedTrim(typed);
    for (const std::string& line : store) {
        if (line.empty() || line[0] != choice[0])
            continue;
        std::vector<std::string> parts{""};
        for (char c : std::string_view(line).substr(std::min<std::size_t>(2, line.size()))) {
            if (c == '|')
                parts.emplace_back();
            else
                parts.back() += c;
        }
        if (fuzz::ExpectedTrim(parts[0]) != number)
            continue;
        std::array<std::string, 7> fields;
        for (std::size_t i = 0; i < fields.size(); ++i)
            fields[i] = i + 1 < parts.size() ? fuzz::ExpectedTrim(parts[i + 1]) : "";
        return fields;
    }
    return std::nullopt;
}

void CheckLookup(TForm1& form, const std::vector<std::string>& store, const std::string& signBefore)
{
    fuzz::Check(form.Enabled(), "the window stays disabled after a lookup");
    const auto fields = ExpectedFields(store, form.ComboBox1.Text(), form.Edit8.Text());
    const std::array<const TEdit*, 7> boxes = {
        &form.Edit3, &form.Edit4, &form.Edit7, &form.Edit2, &form.Edit5, &form.Edit6, &form.Edit9};
    fuzz::Check(form.Scan.NotFound == !fields, "the lookup's not-found flag is wrong");
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (fields) {
            fuzz::Check(boxes[i]->Text() == (*fields)[i], "a coordinate box holds another field");
        } else {
            const std::string& kept = boxes[i] == &form.Edit2 ? signBefore : std::string();
            fuzz::Check(boxes[i]->Text() == kept, "a box is not emptied (or the sign not kept) when not found");
        }
    }
    fuzz::Check(form.Edit1.Text().empty(), "the link box is not empty after a lookup");
}

void CheckStart(const TForm1& form, const RecordingScreen& screen, const std::optional<std::vector<std::string>>& store)
{
    if (!store) {
        fuzz::Check(screen.errorBoxes.size() == 1, "an over-long catalogue is not reported once");
        fuzz::Check(screen.errorBoxes[0].text == "m_ngc_ic.txt holds more than 20000 lines.",
            "an over-long catalogue is reported with another message");
        fuzz::Check(form.Catalogue.LineCount == 0, "an over-long catalogue is partly kept");
        return;
    }
    fuzz::Check(screen.errorBoxes.empty(), "a readable catalogue is reported as an error");
    fuzz::Check(form.Catalogue.LineCount == static_cast<int>(store->size()), "the store holds another number of lines");
    for (std::size_t i = 0; i < store->size(); ++i)
        fuzz::Check(std::string_view(form.Catalogue.Lines[i + 1]) == (*store)[i], "a stored line differs from the file's");
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::WorkInPrivateFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Input input = Decode(data, size);
    fuzz::WriteFile(CatalogueFileName, input.file);
    const auto store = ExpectedStore(input.file);
    const std::vector<std::string> searched = store.value_or(std::vector<std::string>{});

    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    CheckStart(form, screen, store);
    if (store)
        CheckLookup(form, searched, "+");

    std::string sign = form.Edit2.Text();
    form.ComboBox1.UserSelect(input.choice);
    form.ComboBox1.UserCloseUp();
    CheckLookup(form, searched, sign);
    sign = form.Edit2.Text();
    form.Edit8.SetText(input.number);
    CheckLookup(form, searched, sign);

    const bool found = !form.Scan.NotFound;
    form.Button1.Click();
    fuzz::Check(screen.errorBoxes.size() == (store ? 0u : 1u), "writing link.url reported an error");
    fuzz::Check(form.Edit1.Text().empty() != found, "the link box does not follow the lookup");
    fuzz::Check(fuzz::ReadFile("link.url") == "[InternetShortcut]\r\nURL=" + form.Edit1.Text() + "\r\n",
        "link.url does not hold the link box");
    fuzz::Check(fuzz::ReadFile(CatalogueFileName) == input.file, "the catalogue changed");
    return 0;
}
