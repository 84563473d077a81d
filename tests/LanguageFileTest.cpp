#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using Captions = std::array<std::string, 7>;

const Captions BuiltIn = {"Generate link", "Open link", "Version", "Field of view", "Catalog", "Alpha (H,M,S):",
    "Delta (+ or -, \xB0, ', \"):"};

Captions CaptionsOf(TForm1& form)
{
    return {form.Button1.Caption(), form.Button3.Caption(), form.Panel1.Caption(), form.Panel2.Caption(),
        form.Panel3.Caption(), form.Panel4.Caption(), form.Panel5.Caption()};
}

struct FileCase {
    const char* name;
    std::string bytes;
    Captions captions;
};

std::vector<FileCase> FileCases()
{
    return {
        {"seven lines", "Erzeugen\r\nOeffnen\r\nVersion\r\nFeld\r\nKatalog\r\nAlpha:\r\nDelta:\r\n",
            {"Erzeugen", "Oeffnen", "Version", "Feld", "Katalog", "Alpha:", "Delta:"}},
        {"lines after the seventh ignored", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n",
            {"1", "2", "3", "4", "5", "6", "7"}},
        {"three lines empty the other four", "Go\r\nOpen\r\nSurvey\r\n", {"Go", "Open", "Survey", "", "", "", ""}},
        {"blanks and controls around text trimmed", " \t Go \t\r\n\r\n   \r\n\x01x y\x1F\r\n\"q\"\r\n6\r\n7",
            {"Go", "", "", "x y", "\"q\"", "6", "7"}},
        {"LF line ends, no final line end", "a\nb\nc\nd\ne\nf\ng", {"a", "b", "c", "d", "e", "f", "g"}},
        {"Windows-1252 bytes kept as they are", "Caf\xE9\r\n\xA0Nbsp\xA0\r\n\x80 5\r\n\xB0\r\n",
            {"Caf\xE9", "\xA0Nbsp\xA0", "\x80 5", "\xB0", "", "", ""}},
        {"empty file", "", {"", "", "", "", "", "", ""}},
    };
}

TEST(LanguageFile, RelabelsTheControlsLineByLineThenTheCatalogueLoads)
{
    for (const auto& c : FileCases()) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        folder.Write("language.txt", c.bytes);
        RecordingScreen screen;
        TForm1 form(screen, "celestrix");
        form.Create();
        EXPECT_EQ(CaptionsOf(form), c.captions);
        EXPECT_EQ(form.Caption(), "Celestrix v.3");
        EXPECT_EQ(form.CheckBox1.Caption(), "CheckBox1");
        EXPECT_TRUE(screen.errorBoxes.empty());
        EXPECT_EQ(form.Catalogue.LineCount, 7);
        EXPECT_EQ(form.Edit3.Text(), "05");
    }
}

TEST(LanguageFile, WithoutAFileOfThatNameTheBuiltInCaptionsStay)
{
    struct Case {
        const char* name;
        std::function<void()> prepare;
    };
    const Case cases[] = {
        {"no file", [] {}},
        {"a folder of that name", [] { std::filesystem::create_directory("language.txt"); }},
#ifndef _WIN32
        {"a link to nothing", [] { std::filesystem::create_symlink("missing.txt", "language.txt"); }},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        c.prepare();
        RecordingScreen screen;
        TForm1 form(screen, "celestrix");
        form.Create();
        EXPECT_EQ(CaptionsOf(form), BuiltIn);
        EXPECT_TRUE(screen.errorBoxes.empty());
        EXPECT_EQ(form.Catalogue.LineCount, 7);
    }
}

#ifndef _WIN32
// Runs body in a child process as a user without privileges (nobody, when
// this process runs as root, for whom permissions alone stop nothing) and
// returns the text it gives back.
std::string InChildWithoutPrivileges(const std::function<std::string()>& body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "cannot make a pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::string result;
        constexpr uid_t Nobody = 65534;
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0))
            result = "cannot drop privileges";
        else
            result = body();
        [[maybe_unused]] auto written = write(pipeEnds[1], result.data(), result.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string result;
    char buffer[256];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return result;
}

std::string StartAndDescribe()
{
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    std::string seen;
    for (const auto& box : screen.errorBoxes)
        seen += "box: " + box.caption + " / " + box.text + "\n";
    seen += CaptionsOf(form) == BuiltIn ? "built-in captions\n" : "captions changed\n";
    seen += "catalogue lines: " + std::to_string(form.Catalogue.LineCount) + "\n";
    seen += "Edit3: " + form.Edit3.Text() + "\n";
    return seen;
}

TEST(LanguageFile, AFileThatCannotBeReadIsReportedAndTheCatalogueIsNotLoaded)
{
    using std::filesystem::perms;
    struct Case {
        const char* name;
        std::function<void()> prepare;
        bool withoutPrivileges;
    };
    const Case cases[] = {
        // Opens for anyone, but its first read fails, for root too.
        {"a file whose reading fails", [] { std::filesystem::create_symlink("/proc/self/mem", "language.txt"); },
            false},
        {"a file that cannot be opened",
            [] {
                std::ofstream("language.txt") << "Go\r\n";
                std::filesystem::permissions("language.txt", perms::none);
            },
            true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::filesystem::permissions(folder.Path(), perms::owner_all | perms::group_read | perms::group_exec
                | perms::others_read | perms::others_exec);
        folder.Write("m_ngc_ic.txt", SmallCatalogue);
        std::filesystem::permissions("m_ngc_ic.txt", perms::owner_read | perms::owner_write | perms::group_read
                | perms::others_read);
        c.prepare();
        const std::string seen = c.withoutPrivileges ? InChildWithoutPrivileges(StartAndDescribe) : StartAndDescribe();
        if (seen == "cannot drop privileges")
            GTEST_SKIP() << seen;
        EXPECT_EQ(seen,
            "box: celestrix / File access denied.\n"
            "built-in captions\n"
            "catalogue lines: 0\n"
            "Edit3: \n");
    }
}
#endif

}
