#pragma once

#include "app/StarField.h"

#include <QImage>
#include <QString>
#include <QWidget>

// The window's background: the star-field picture, decoded by libjpeg when it
// is first painted and drawn at its own size from the top-left corner. A
// picture that cannot be read or decoded leaves the window's black showing.
class StarFieldWidget : public QWidget {
public:
    static inline const QString BuiltInPicture = QStringLiteral(":/starfield.jpg");

    explicit StarFieldWidget(QWidget* parent, QString pictureFile = BuiltInPicture);

    // Whether a picture has been decoded; none before the first paint.
    bool HasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DecodeOnce();

    QString pictureFile_;
    bool decodeTried_ = false;
    QImage picture_;
};

// The decoded pixels as a Qt image; a null image for an empty one.
QImage ToQImage(const RgbImage& image);
