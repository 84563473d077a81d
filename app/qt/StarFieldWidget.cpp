#include "app/qt/StarFieldWidget.h"

#include <QFile>
#include <QPainter>

#include <cstring>
#include <utility>

StarFieldWidget::StarFieldWidget(QWidget* parent, QString pictureFile)
    : QWidget(parent)
    , pictureFile_(std::move(pictureFile))
{
    setFocusPolicy(Qt::NoFocus);
}

void StarFieldWidget::paintEvent(QPaintEvent*)
{
    DecodeOnce();
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

void StarFieldWidget::DecodeOnce()
{
    if (decodeTried_)
        return;
    decodeTried_ = true;
    QFile file(pictureFile_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray jpeg = file.readAll();
    if (const auto decoded = DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.constData()),
            static_cast<std::size_t>(jpeg.size())))
        picture_ = ToQImage(*decoded);
}

QImage ToQImage(const RgbImage& image)
{
    if (image.Width <= 0 || image.Height <= 0)
        return {};
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width) * 3;
    if (image.Pixels.size() < rowBytes * static_cast<std::size_t>(image.Height))
        return {};
    QImage converted(image.Width, image.Height, QImage::Format_RGB888);
    if (converted.isNull())
        return {};
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(converted.scanLine(y), image.Pixels.data() + y * rowBytes, rowBytes);
    return converted;
}
