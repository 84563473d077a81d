#pragma once

#include <QWidget>

// The window's background: the star-field picture, beneath all other controls.
class StarFieldWidget : public QWidget {
public:
    explicit StarFieldWidget(QWidget* parent);
};
