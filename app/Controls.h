#pragma once

#include <functional>
#include <string>
#include <vector>

using TNotifyEvent = std::function<void()>;

// A control of the window: a named holder of texts, flags and a selection.
// The screen layer that shows it sets OnInvalidate to hear of every change
// to what it shows; the program's own events are the On... members of the
// kinds below.
class TControl {
public:
    explicit TControl(std::string name);
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const std::string& Name() const { return name_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TNotifyEvent OnInvalidate;

protected:
    void Invalidate();
    static void Fire(const TNotifyEvent& event);

private:
    std::string name_;
    bool enabled_ = true;
};

// A control with a caption: push button, label panel, check box.
class TCaptionedControl : public TControl {
public:
    TCaptionedControl(std::string name, std::string caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

private:
    std::string caption_;
};

// A one-line edit box. OnChange fires once, synchronously, for every actual
// change of its text, whoever makes it. The typed-character limit holds
// typing and pasting only, never text the program sets.
class TEdit : public TControl {
public:
    TEdit(std::string name, int maxLength, std::string text = {});

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int MaxLength() const { return maxLength_; }

    // Whether the user may turn the text into proposed: typing cannot make it
    // longer than the limit, deleting is always possible. 0 means no limit.
    bool AcceptsTyped(const std::string& proposed) const;
    // The user's edit; false (and nothing changes) when the limit refuses it.
    bool UserEdit(const std::string& proposed);

    TNotifyEvent OnChange;

private:
    std::string text_;
    int maxLength_;
};

// A drop-down list without free text. OnChange fires only for selections the
// user changes; OnCloseUp every time its list closes, with the chosen item
// already selected.
class TComboBox : public TControl {
public:
    TComboBox(std::string name, std::vector<std::string> items, int itemIndex);

    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    // The selected item's text; empty when no item is selected.
    std::string Text() const;
    void SetItemIndex(int index);

    void UserSelect(int index);
    void UserCloseUp();

    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;

private:
    std::vector<std::string> items_;
    int itemIndex_;
};

// A check box. OnClick fires when the user changes its check mark.
class TCheckBox : public TCaptionedControl {
public:
    TCheckBox(std::string name, std::string caption, bool checked);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void UserSetChecked(bool checked);

    TNotifyEvent OnClick;

private:
    bool checked_;
};

class TButton : public TCaptionedControl {
public:
    using TCaptionedControl::TCaptionedControl;
    void Click();

    TNotifyEvent OnClick;
};

class TPanel : public TCaptionedControl {
public:
    using TCaptionedControl::TCaptionedControl;
};

// The background picture; the screen layer decodes and draws it.
class TImage : public TControl {
public:
    using TControl::TControl;
};
