// Any bytes as language.txt: the window starts with the captions its first
// seven lines give, still loads the catalogue, and changes neither file.

#include "FuzzSupport.h"
#include "RecordingScreen.h"
#include "app/Unit1.h"

#include <array>
#include <cstdint>

namespace {
constexpr std::size_t ReadBufferSize = 64 * 1024;
const std::string Catalogue = "M 1|05|34|31.97|+|22|00|52.1|\r\nEND\r\n";

// A first byte of C0 hex or above puts the rest of the input right before or
// across the end of the reader's first buffer, behind a long first caption.
std::string FileBytes(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {};
    std::string bytes;
    if (data[0] >= 0xC0)
        bytes.assign(ReadBufferSize - (data[0] - 0xC0u), 'w');
    bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    return bytes;
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::WorkInPrivateFolder();
    fuzz::WriteFile("m_ngc_ic.txt", Catalogue);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes = FileBytes(data, size);
    fuzz::WriteFile("language.txt", bytes);
    std::vector<std::string> lines = fuzz::ExpectedLines(bytes);
    lines.resize(7);

    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();

    fuzz::Check(screen.errorBoxes.empty(), "a readable language file is reported as an error");
    const std::array<const TCaptionedControl*, 7> relabelled = {
        &form.Button1, &form.Button3, &form.Panel1, &form.Panel2, &form.Panel3, &form.Panel4, &form.Panel5};
    for (std::size_t i = 0; i < relabelled.size(); ++i)
        fuzz::Check(relabelled[i]->Caption() == fuzz::ExpectedTrim(lines[i]), "a caption differs from its line");
    fuzz::Check(form.Caption() == "Celestrix v.3", "the window's caption changed");
    fuzz::Check(form.CheckBox1.Caption() == "CheckBox1", "the check box's caption changed");
    fuzz::Check(form.Catalogue.LineCount == 2, "the catalogue was not loaded after the language file");
    fuzz::Check(form.Edit3.Text() == "05" && form.Edit9.Text() == "52.1", "the first lookup did not run");
    fuzz::Check(fuzz::ReadFile("language.txt") == bytes, "the language file changed");
    fuzz::Check(fuzz::ReadFile("m_ngc_ic.txt") == Catalogue, "the catalogue changed");
    return 0;
}
