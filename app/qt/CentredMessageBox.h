#pragma once

#include <QMessageBox>

// A message box that opens centred on the screen. Its owner, the hidden
// application window, is never shown, so Qt would place it over that
// window's default geometry instead.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override;
};
