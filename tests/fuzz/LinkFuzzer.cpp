// "Generate link" in manual mode over any texts in the coordinate boxes and
// any list selections, pressed a few times in a row: the link box holds the
// query made of the trimmed texts, link.url holds the link box byte for byte,
// and a press that cannot write link.url (a folder in its place) is reported
// without keeping the next press from writing it.

#include "FuzzSupport.h"
#include "RecordingScreen.h"
#include "app/Unit1.h"
#include "link/LinkFile.h"
#include "link/SurveyLink.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <filesystem>

namespace {

const std::string Catalogue = "M 1|05|34|31.97|+|22|00|52.1|\r\nEND\r\n";

struct Boxes {
    std::string survey, raHours, raMinutes, raSeconds, sign, decDegrees, decMinutes, decSeconds, size;
};

std::string ExpectedQuery(const Boxes& b)
{
    using fuzz::ExpectedTrim;
    return "http://" + std::string(SurveyHost) + "/cgi-bin/dss_search?v=" + b.survey
        + "&r=" + ExpectedTrim(b.raHours) + "%20" + ExpectedTrim(b.raMinutes) + "m+%2000" + ExpectedTrim(b.raSeconds)
        + "&d=" + b.sign + "%20" + ExpectedTrim(b.decDegrees) + "\xB0%20" + ExpectedTrim(b.decMinutes) + "'%20"
        + ExpectedTrim(b.decSeconds) + "\"&e=J2000&h=" + b.size + "&w=" + b.size + "&f=gif&c=none&fov=NONE&v3=";
}

std::string Shortcut(const std::string& url)
{
    return "[InternetShortcut]\r\nURL=" + url + "\r\n";
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
    FuzzedDataProvider input(data, size);
    std::filesystem::remove_all("link.url");
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    form.CheckBox1.UserSetChecked(false);

    const std::array<TEdit*, 7> boxes = {
        &form.Edit3, &form.Edit4, &form.Edit7, &form.Edit2, &form.Edit5, &form.Edit6, &form.Edit9};
    std::string sizeText;
    for (int press = 0; press < 4 && input.remaining_bytes() > 0; ++press) {
        for (TEdit* box : boxes) {
            if (input.ConsumeBool())
                box->SetText(input.ConsumeRandomLengthString(64));
        }
        form.ComboBox3.UserSelect(input.ConsumeIntegralInRange(-1, 7));
        form.ComboBox4.UserSelect(input.ConsumeIntegralInRange(-1, 10));
        if (auto chosen = SizeTextForIndex(form.ComboBox3.ItemIndex()))
            sizeText = *chosen;
        const bool blocked = input.ConsumeBool();
        if (blocked) {
            std::filesystem::remove("link.url");
            std::filesystem::create_directory("link.url");
        }

        form.Button1.Click();

        const std::string url = ExpectedQuery({form.ComboBox4.Text(), form.Edit3.Text(), form.Edit4.Text(),
            form.Edit7.Text(), form.Edit2.Text(), form.Edit5.Text(), form.Edit6.Text(), form.Edit9.Text(), sizeText});
        fuzz::Check(form.Edit1.Text() == url, "the link box does not hold the query of the boxes");
        if (blocked) {
            fuzz::Check(screen.errorBoxes.size() == 1 && screen.errorBoxes[0].text == "File access denied.",
                "a folder in link.url's place is not reported");
            screen.errorBoxes.clear();
            std::filesystem::remove("link.url");
            form.Button1.Click();
        }
        fuzz::Check(screen.errorBoxes.empty(), "writing link.url reported an error");
        fuzz::Check(fuzz::ReadFile("link.url") == Shortcut(url), "link.url does not hold the link box");
        if (url.find_first_of("\r\n\x1A") == std::string::npos)
            fuzz::Check(UrlOfShortcut() == url, "the link read back from link.url differs");
    }
    fuzz::Check(fuzz::ReadFile("m_ngc_ic.txt") == Catalogue, "the catalogue changed");
    return 0;
}
