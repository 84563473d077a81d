#include "app/Unit1.h"

#include "app/InstanceGuard.h"
#include "app/LanguageFile.h"
#include "common/ErrorReport.h"
#include "common/IoError.h"
#include "common/NativeFile.h"
#include "link/LinkFile.h"
#include "link/SurveyLink.h"

namespace {
constexpr int CoordinateLimit = 4;
constexpr int NumberLimit = 4;
constexpr int SignLimit = 1;

std::vector<std::string> SurveyItems()
{
    return {SurveyNames.begin(), SurveyNames.end()};
}

std::vector<std::string> FieldOfViewItems()
{
    std::vector<std::string> items;
    for (const auto& field : FieldsOfView)
        items.emplace_back(field.Label);
    return items;
}
}

TForm1::TForm1(Screen& screen, std::string applicationTitle)
    : Image1("Image1")
    , Button1("Button1", "Generate link")
    , Edit1("Edit1", 0)
    , Edit3("Edit3", CoordinateLimit)
    , Edit4("Edit4", CoordinateLimit)
    , Edit5("Edit5", CoordinateLimit)
    , Edit6("Edit6", CoordinateLimit)
    , Button3("Button3", "Open link")
    , ComboBox1("ComboBox1", {"M", "NGC", "IC"}, 0)
    , Edit8("Edit8", NumberLimit, "1")
    , Edit7("Edit7", CoordinateLimit)
    , Edit9("Edit9", CoordinateLimit)
    , ComboBox3("ComboBox3", FieldOfViewItems(), 0)
    , CheckBox1("CheckBox1", "CheckBox1", true)
    , ComboBox4("ComboBox4", SurveyItems(), InitialSurveyIndex)
    , Panel1("Panel1", "Version")
    , Panel2("Panel2", "Field of view")
    , Panel3("Panel3", "Catalog")
    , Panel4("Panel4", "Alpha (H,M,S):")
    , Panel5("Panel5", "Delta (+ or -, \xB0, ', \"):")
    , Edit2("Edit2", SignLimit, "+")
    , screen_(screen)
    , applicationTitle_(std::move(applicationTitle))
{
    for (TEdit* box : CoordinateBoxesInModeOrder())
        box->SetEnabled(false);
    BindHandlers();
}

void TForm1::BindHandlers()
{
    Button1.OnClick = Bind(&TForm1::Button1Click);
    Button3.OnClick = Bind(&TForm1::Button3Click);
    CheckBox1.OnClick = Bind(&TForm1::CheckBox1Click);
    ComboBox1.OnCloseUp = Bind(&TForm1::Read);
    Edit8.OnChange = Bind(&TForm1::Read);
    for (TEdit* box : CoordinateBoxesInModeOrder())
        box->OnChange = Bind(&TForm1::Ederase);
    ComboBox3.OnChange = Bind(&TForm1::Ederase);
    ComboBox4.OnChange = Bind(&TForm1::Ederase);
}

std::array<TControl*, 21> TForm1::Controls()
{
    return {&Image1, &Button1, &Edit1, &Edit3, &Edit4, &Edit5, &Edit6,
        &Button3, &ComboBox1, &Edit8, &Edit7, &Edit9, &ComboBox3, &CheckBox1,
        &ComboBox4, &Panel1, &Panel2, &Panel3, &Panel4, &Panel5, &Edit2};
}

std::array<TEdit*, 7> TForm1::CoordinateBoxesInModeOrder()
{
    return {&Edit3, &Edit4, &Edit7, &Edit5, &Edit6, &Edit9, &Edit2};
}

// The controls the lines of the language file relabel, line by line.
std::array<TCaptionedControl*, 7> TForm1::CaptionsInLanguageOrder()
{
    return {&Button1, &Button3, &Panel1, &Panel2, &Panel3, &Panel4, &Panel5};
}

void TForm1::Create()
{
    RunHandler(&TForm1::FormCreate);
}

TNotifyEvent TForm1::Bind(Handler handler)
{
    return [this, handler] { RunHandler(handler); };
}

// Every handler is entered here. An error that escapes the outermost handler
// is shown by the default error report and the program goes on with the next
// event; handlers run nested inside another let their errors reach it.
void TForm1::RunHandler(Handler handler)
{
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    };
    if (handlerDepth_ > 0) {
        Depth nested(handlerDepth_);
        (this->*handler)();
        return;
    }
    Depth outermost(handlerDepth_);
    try {
        (this->*handler)();
    } catch (const std::exception& error) {
        ReportError(error.what());
    } catch (...) {
        ReportError("Unknown error");
    }
}

void TForm1::ReportError(const std::string& message)
{
    screen_.ShowErrorBox(applicationTitle_, ErrorReportText(message));
}

void TForm1::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (OnInvalidate)
        OnInvalidate();
}

// The start-up sequence: the guard against a second copy and the language
// file come first, then the catalogue and the first lookup (M 1). An error
// ends the sequence where it happens.
void TForm1::FormCreate()
{
    if (AnotherCopyStopsStart())
        return;
    if (LanguageFileExists())
        LanguageRead();
    FileRead();
    InFileFind();
}

bool TForm1::AnotherCopyStopsStart()
{
    if (!AnotherCopyRunning(screen_.TopLevelWindows(), applicationTitle_))
        return false;
    screen_.ShowWarningBox(AlreadyRunningCaption, AlreadyRunningText);
    terminated_ = true;
    return true;
}

void TForm1::LanguageRead()
{
    ReadCaptions(CaptionsInLanguageOrder());
}

void TForm1::FileRead()
{
    ::FileRead(Catalogue);
}

void TForm1::InFileFind()
{
    ::InFileFind(Catalogue, Scan, *this);
}

void TForm1::Read()
{
    InFileFind();
}

void TForm1::Ederase()
{
    Edit1.SetText("");
}

// link.url may be a link; one that leads to the catalogue or the language
// file must not overwrite them.
void TForm1::RefuseToWriteOverInputs()
{
    for (const char* input : {CatalogueFileName, LanguageFileName}) {
        if (NativeFile::SameFile(LinkFileName, input))
            throw IoError(IoCode::AccessDenied);
    }
}

void TForm1::Button1Click()
{
    if (CheckBox1.Checked())
        InFileFind();
    SignText = Edit2.Text();
    SurveyText = ComboBox4.Text();
    if (auto size = SizeTextForIndex(ComboBox3.ItemIndex()))
        SizeText = *size;
    if (!CheckBox1.Checked() || !Scan.NotFound) {
        Edit1.SetText(BuildLink({SurveyText, Edit3.Text(), Edit4.Text(), Edit7.Text(), SignText,
            Edit5.Text(), Edit6.Text(), Edit9.Text(), SizeText}));
    }
    Scan.NotFound = false;
    RefuseToWriteOverInputs();
    WriteLinkFile(Edit1.Text());
}

void TForm1::Button3Click()
{
    screen_.OpenShortcut(LinkFileName);
}

void TForm1::CheckBox1Click()
{
    const bool catalogueMode = CheckBox1.Checked();
    ComboBox1.SetEnabled(catalogueMode);
    Edit8.SetEnabled(catalogueMode);
    if (catalogueMode)
        InFileFind();
    for (TEdit* box : CoordinateBoxesInModeOrder())
        box->SetEnabled(!catalogueMode);
    Edit1.SetText("");
}

std::string TForm1::CatalogueChoice() const
{
    return ComboBox1.Text();
}

std::string TForm1::ObjectNumber() const
{
    return Edit8.Text();
}

void TForm1::SetWindowEnabled(bool enabled)
{
    SetEnabled(enabled);
}

void TForm1::SetCoordinate(CoordinateBox box, const std::string& text)
{
    static constexpr TEdit TForm1::*InFillOrder[] = {
        &TForm1::Edit3, &TForm1::Edit4, &TForm1::Edit7, &TForm1::Edit2,
        &TForm1::Edit5, &TForm1::Edit6, &TForm1::Edit9};
    (this->*InFillOrder[static_cast<int>(box)]).SetText(text);
}

void TForm1::ClearForNotFound()
{
    for (TEdit* box : {&Edit3, &Edit4, &Edit7, &Edit5, &Edit6, &Edit9, &Edit1})
        box->SetText("");
}
