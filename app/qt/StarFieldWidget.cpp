#include "app/qt/StarFieldWidget.h"

StarFieldWidget::StarFieldWidget(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}
