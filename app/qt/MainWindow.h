#pragma once

#include <QWidget>

#include <map>
#include <string_view>

class TForm1;

// The main window: shows every control of the window state at its place on
// the star-field picture.
class MainWindow : public QWidget {
public:
    explicit MainWindow(TForm1& form);

    // The widget that shows the named control.
    QWidget* Widget(std::string_view name) const;

    void ShowCentred();

private:
    void CreateWidgets();
    void PlaceWidgets();
    void SetTabOrder();

    TForm1& form_;
    std::map<std::string_view, QWidget*> widgets_;
};
