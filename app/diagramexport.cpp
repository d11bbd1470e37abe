#include "diagramexport.h"

#include "filesystem.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

namespace {

// The caption's distance from the picture's edges, in pixels.
constexpr int CaptionInset = 4;

// The widget as it shows, and the caption on a white line below it.
void paint(QPainter *painter, QWidget *widget, const QString &caption, int captionHeight)
{
    widget->render(painter);
    const QRect line(0, widget->height(), widget->width(), captionHeight);
    painter->fillRect(line, Qt::white);
    painter->setPen(Qt::black);
    painter->setFont(widget->font());
    const QRect text = line.adjusted(CaptionInset, 0, -CaptionInset, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
        painter->fontMetrics().elidedText(caption, Qt::ElideMiddle, text.width()));
}

} // namespace

QString exportWidget(QWidget *widget, const QString &path, const QString &caption)
{
    // 1. The picture, in memory: painted by the widget itself onto a vector or pixel device.
    const int captionHeight = widget->fontMetrics().height() + 2 * CaptionInset;
    const QSize size = widget->size() + QSize(0, captionHeight);
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&picture);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(widget->accessibleName());
        svg.setDescription(caption);
        QPainter painter(&svg);
        paint(&painter, widget, caption, captionHeight);
    } else {
        QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        QPainter painter(&image);
        paint(&painter, widget, caption, captionHeight);
        painter.end();
        if (!image.save(&picture, "PNG"))
            return QObject::tr("the image cannot be encoded");
    }

    // 2. The file, whole or not at all.
    return FileSystem::saveFile(path, picture.data());
}
