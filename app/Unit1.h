#pragma once

#include "app/Controls.h"
#include "app/Screen.h"
#include "catalogue/Lookup.h"

#include <array>
#include <string>

// The main window: its controls with their initial contents, the handlers
// bound to their events, and the state the handlers share.
class TForm1 : private LookupTarget {
public:
    TForm1(Screen& screen, std::string applicationTitle);
    ~TForm1() override = default;

    // Runs FormCreate, the start-up sequence; the window is still hidden.
    void Create();
    // Set when the start-up found another copy running: the program is to
    // end without showing the window.
    bool Terminated() const { return terminated_; }

    const std::string& ApplicationTitle() const { return applicationTitle_; }
    const std::string& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    TNotifyEvent OnInvalidate;

    TImage Image1;
    TButton Button1;
    TEdit Edit1;
    TEdit Edit3;
    TEdit Edit4;
    TEdit Edit5;
    TEdit Edit6;
    TButton Button3;
    TComboBox ComboBox1;
    TEdit Edit8;
    TEdit Edit7;
    TEdit Edit9;
    TComboBox ComboBox3;
    TCheckBox CheckBox1;
    TComboBox ComboBox4;
    TPanel Panel1;
    TPanel Panel2;
    TPanel Panel3;
    TPanel Panel4;
    TPanel Panel5;
    TEdit Edit2;

    // Every control, in creation order.
    std::array<TControl*, 21> Controls();

    // The catalogue, the last lookup, and the texts "Generate link" captured.
    LineStore Catalogue;
    LookupState Scan;
    std::string SignText;
    std::string SurveyText;
    std::string SizeText;

    void FormCreate();
    bool AnotherCopyStopsStart();
    void LanguageRead();
    void FileRead();
    void InFileFind();
    void Read();
    void Ederase();
    void Button1Click();
    void Button3Click();
    void CheckBox1Click();

private:
    void RefuseToWriteOverInputs();
    using Handler = void (TForm1::*)();
    TNotifyEvent Bind(Handler handler);
    void RunHandler(Handler handler);
    void ReportError(const std::string& message);
    void BindHandlers();
    std::array<TEdit*, 7> CoordinateBoxesInModeOrder();
    std::array<TCaptionedControl*, 7> CaptionsInLanguageOrder();
    void SetEnabled(bool enabled);

    std::string CatalogueChoice() const override;
    std::string ObjectNumber() const override;
    void SetWindowEnabled(bool enabled) override;
    void SetCoordinate(CoordinateBox box, const std::string& text) override;
    void ClearForNotFound() override;

    Screen& screen_;
    std::string applicationTitle_;
    std::string caption_ = "Celestrix v.3";
    bool enabled_ = true;
    bool terminated_ = false;
    int handlerDepth_ = 0;
};
