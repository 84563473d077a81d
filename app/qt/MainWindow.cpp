#include "app/qt/MainWindow.h"

#include "app/Layout.h"
#include "app/Unit1.h"
#include "app/qt/ControlWidgets.h"
#include "app/qt/QtText.h"
#include "app/qt/StarFieldWidget.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace {
// The icon at 16 x 16 pixels, with larger drawings of it for the task bar.
QIcon WindowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/celestrix-%1.png").arg(size), QSize(size, size));
    return icon;
}
}

MainWindow::MainWindow(TForm1& form)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
              | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , form_(form)
{
    setWindowTitle(ToQString(form_.Caption()));
    setWindowIcon(WindowIcon());
    // Only the buttons' and the check box's captions follow a right-to-left locale.
    setLayoutDirection(Qt::LeftToRight);
    setFont(ControlFont());
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setFixedSize(ClientWidth, ClientHeight);
    CreateWidgets();
    PlaceWidgets();
    SetTabOrder();
}

void MainWindow::CreateWidgets()
{
    widgets_["Image1"] = new StarFieldWidget(this);
    widgets_["Button1"] = new PushButton(form_.Button1, this);
    widgets_["Edit1"] = new EditBox(form_.Edit1, this);
    widgets_["Edit3"] = new EditBox(form_.Edit3, this);
    widgets_["Edit4"] = new EditBox(form_.Edit4, this);
    widgets_["Edit5"] = new EditBox(form_.Edit5, this);
    widgets_["Edit6"] = new EditBox(form_.Edit6, this);
    widgets_["Button3"] = new PushButton(form_.Button3, this);
    widgets_["ComboBox1"] = new ListBox(form_.ComboBox1, this);
    widgets_["Edit8"] = new EditBox(form_.Edit8, this);
    widgets_["Edit7"] = new EditBox(form_.Edit7, this);
    widgets_["Edit9"] = new EditBox(form_.Edit9, this);
    widgets_["ComboBox3"] = new ListBox(form_.ComboBox3, this);
    widgets_["CheckBox1"] = new CheckBox(form_.CheckBox1, this);
    widgets_["ComboBox4"] = new ListBox(form_.ComboBox4, this);
    widgets_["Panel1"] = new PanelLabel(form_.Panel1, this);
    widgets_["Panel2"] = new PanelLabel(form_.Panel2, this);
    widgets_["Panel3"] = new PanelLabel(form_.Panel3, this);
    widgets_["Panel4"] = new PanelLabel(form_.Panel4, this);
    widgets_["Panel5"] = new PanelLabel(form_.Panel5, this);
    widgets_["Edit2"] = new EditBox(form_.Edit2, this);
}

void MainWindow::PlaceWidgets()
{
    for (const auto& placement : Placements) {
        QWidget* widget = widgets_.at(placement.Name);
        widget->setGeometry(placement.Left, placement.Top, placement.Width, placement.Height);
        if (qobject_cast<QComboBox*>(widget)) {
            widget->setFixedWidth(placement.Width);
            widget->setMinimumHeight(placement.Height);
        } else {
            widget->setFixedSize(placement.Width, placement.Height);
        }
        if (placement.HandCursor)
            widget->setCursor(Qt::PointingHandCursor);
        widget->raise();
    }
}

void MainWindow::SetTabOrder()
{
    std::vector<ControlPlacement> inTabOrder;
    std::copy_if(Placements.begin(), Placements.end(), std::back_inserter(inTabOrder),
        [](const ControlPlacement& p) { return p.TabOrder >= 0; });
    std::sort(inTabOrder.begin(), inTabOrder.end(),
        [](const ControlPlacement& a, const ControlPlacement& b) { return a.TabOrder < b.TabOrder; });
    for (std::size_t i = 1; i < inTabOrder.size(); ++i)
        QWidget::setTabOrder(widgets_.at(inTabOrder[i - 1].Name), widgets_.at(inTabOrder[i].Name));
    widgets_.at(inTabOrder.front().Name)->setFocus();
}

QWidget* MainWindow::Widget(std::string_view name) const
{
    const auto found = widgets_.find(name);
    return found == widgets_.end() ? nullptr : found->second;
}

void MainWindow::ShowCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
}
