#include "Fixtures.h"
#include "RecordingScreen.h"
#include "TempFolder.h"
#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(TForm1, StartsWithTheInitialContents)
{
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    EXPECT_EQ(form.Caption(), "Celestrix v.3");
    EXPECT_TRUE(form.Enabled());
    EXPECT_TRUE(form.CheckBox1.Checked());
    EXPECT_EQ(form.CheckBox1.Caption(), "CheckBox1");
    EXPECT_EQ(form.ComboBox1.Items(), (std::vector<std::string>{"M", "NGC", "IC"}));
    EXPECT_EQ(form.ComboBox1.Text(), "M");
    EXPECT_EQ(form.Edit8.Text(), "1");
    EXPECT_EQ(form.Edit2.Text(), "+");
    EXPECT_EQ(form.ComboBox3.Items(), (std::vector<std::string>{"5'", "10'", "15'", "30'", "45'", "1\xB0", "1\xB0" "15'"}));
    EXPECT_EQ(form.ComboBox3.ItemIndex(), 0);
    EXPECT_EQ(form.ComboBox4.Items().size(), 10u);
    EXPECT_EQ(form.ComboBox4.Text(), "all");
    EXPECT_EQ(form.Button1.Caption(), "Generate link");
    EXPECT_EQ(form.Button3.Caption(), "Open link");
    EXPECT_EQ(form.Panel1.Caption(), "Version");
    EXPECT_EQ(form.Panel2.Caption(), "Field of view");
    EXPECT_EQ(form.Panel3.Caption(), "Catalog");
    EXPECT_EQ(form.Panel4.Caption(), "Alpha (H,M,S):");
    EXPECT_EQ(form.Panel5.Caption(), "Delta (+ or -, \xB0, ', \"):");

    struct Box {
        TEdit& edit;
        int limit;
        bool enabled;
    };
    const Box boxes[] = {
        {form.Edit8, 4, true}, {form.Edit3, 4, false}, {form.Edit4, 4, false},
        {form.Edit7, 4, false}, {form.Edit2, 1, false}, {form.Edit5, 4, false},
        {form.Edit6, 4, false}, {form.Edit9, 4, false}, {form.Edit1, 0, true},
    };
    for (const auto& box : boxes) {
        EXPECT_EQ(box.edit.MaxLength(), box.limit) << box.edit.Name();
        EXPECT_EQ(box.edit.Enabled(), box.enabled) << box.edit.Name();
        if (&box.edit != &form.Edit8 && &box.edit != &form.Edit2) {
            EXPECT_EQ(box.edit.Text(), "") << box.edit.Name();
        }
    }
    for (TControl* control : {static_cast<TControl*>(&form.ComboBox1), static_cast<TControl*>(&form.ComboBox3),
             static_cast<TControl*>(&form.ComboBox4), static_cast<TControl*>(&form.Button1),
             static_cast<TControl*>(&form.Button3), static_cast<TControl*>(&form.CheckBox1)})
        EXPECT_TRUE(control->Enabled()) << control->Name();
    EXPECT_EQ(form.Catalogue.LineCount, 0);
    EXPECT_TRUE(screen.errorBoxes.empty());
}

TEST(TForm1, StartUpLoadsTheCatalogueAndLooksUpM1)
{
    TempFolder folder;
    folder.Write("m_ngc_ic.txt", SmallCatalogue);
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    EXPECT_TRUE(screen.errorBoxes.empty());
    EXPECT_EQ(form.Catalogue.LineCount, 7);
    const std::pair<TEdit*, const char*> shown[] = {
        {&form.Edit3, "05"}, {&form.Edit4, "34"}, {&form.Edit7, "31.97"}, {&form.Edit2, "+"},
        {&form.Edit5, "22"}, {&form.Edit6, "00"}, {&form.Edit9, "52.1"}, {&form.Edit1, ""},
    };
    for (const auto& [box, text] : shown)
        EXPECT_EQ(box->Text(), text) << box->Name();
    EXPECT_TRUE(form.Enabled());
    EXPECT_FALSE(form.Scan.NotFound);
}

TEST(TForm1, StartUpFailureIsReportedOnceAndTheWindowStillOpens)
{
    struct Case {
        const char* name;
        bool folderInPlace;
        const char* report;
    };
    const Case cases[] = {
        {"missing catalogue", false, "File not found."},
        {"folder in its place", true, "File access denied."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.folderInPlace)
            std::filesystem::create_directory("m_ngc_ic.txt");
        RecordingScreen screen;
        TForm1 form(screen, "Celestrix");
        form.Create();
        EXPECT_EQ(screen.errorBoxes, (std::vector<RecordingScreen::Box>{{"Celestrix", c.report}}));
        EXPECT_EQ(form.Catalogue.LineCount, 0);
        for (TEdit* box : {&form.Edit3, &form.Edit4, &form.Edit7, &form.Edit5, &form.Edit6, &form.Edit9})
            EXPECT_EQ(box->Text(), "") << box->Name();
        EXPECT_EQ(form.Edit2.Text(), "+");
        EXPECT_TRUE(form.Enabled());
        EXPECT_TRUE(form.CheckBox1.Checked());
    }
}

TEST(TForm1, ALookupWithoutACatalogueFindsNothing)
{
    TempFolder folder;
    RecordingScreen screen;
    TForm1 form(screen, "celestrix");
    form.Create();
    form.Edit8.UserEdit("12");
    EXPECT_TRUE(form.Scan.NotFound);
    EXPECT_EQ(form.Edit2.Text(), "+");
    EXPECT_EQ(screen.errorBoxes.size(), 1u);
}

}
