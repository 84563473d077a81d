#include "app/Controls.h"

TControl::TControl(std::string name)
    : name_(std::move(name))
{
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Invalidate();
}

void TControl::Invalidate()
{
    Fire(OnInvalidate);
}

void TControl::Fire(const TNotifyEvent& event)
{
    if (event)
        event();
}

TCaptionedControl::TCaptionedControl(std::string name, std::string caption)
    : TControl(std::move(name))
    , caption_(std::move(caption))
{
}

void TCaptionedControl::SetCaption(const std::string& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    Invalidate();
}

TEdit::TEdit(std::string name, int maxLength, std::string text)
    : TControl(std::move(name))
    , text_(std::move(text))
    , maxLength_(maxLength)
{
}

void TEdit::SetText(const std::string& text)
{
    if (text_ == text)
        return;
    text_ = text;
    Invalidate();
    Fire(OnChange);
}

bool TEdit::AcceptsTyped(const std::string& proposed) const
{
    return maxLength_ == 0 || proposed.size() <= static_cast<std::size_t>(maxLength_) || proposed.size() < text_.size();
}

bool TEdit::UserEdit(const std::string& proposed)
{
    if (!AcceptsTyped(proposed)) {
        Invalidate();
        return false;
    }
    SetText(proposed);
    return true;
}

TComboBox::TComboBox(std::string name, std::vector<std::string> items, int itemIndex)
    : TControl(std::move(name))
    , items_(std::move(items))
    , itemIndex_(itemIndex)
{
}

std::string TComboBox::Text() const
{
    if (itemIndex_ < 0 || itemIndex_ >= static_cast<int>(items_.size()))
        return {};
    return items_[static_cast<std::size_t>(itemIndex_)];
}

void TComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    if (itemIndex_ == index)
        return;
    itemIndex_ = index;
    Invalidate();
}

void TComboBox::UserSelect(int index)
{
    const int before = itemIndex_;
    SetItemIndex(index);
    if (itemIndex_ != before)
        Fire(OnChange);
}

void TComboBox::UserCloseUp()
{
    Fire(OnCloseUp);
}

TCheckBox::TCheckBox(std::string name, std::string caption, bool checked)
    : TCaptionedControl(std::move(name), std::move(caption))
    , checked_(checked)
{
}

void TCheckBox::SetChecked(bool checked)
{
    if (checked_ == checked)
        return;
    checked_ = checked;
    Invalidate();
}

void TCheckBox::UserSetChecked(bool checked)
{
    if (checked_ == checked)
        return;
    SetChecked(checked);
    Fire(OnClick);
}

void TButton::Click()
{
    Fire(OnClick);
}
