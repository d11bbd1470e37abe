#include "diagramexport.h"

#include "filesystem.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

QString exportWidget(QWidget *widget, const QString &path)
{
    // 1. The picture, in memory: painted by the widget itself onto a vector or pixel device.
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&picture);
        svg.setSize(widget->size());
        svg.setViewBox(widget->rect());
        svg.setTitle(widget->accessibleName());
        QPainter painter(&svg);
        widget->render(&painter);
    } else {
        QImage image(widget->size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        QPainter painter(&image);
        widget->render(&painter);
        painter.end();
        if (!image.save(&picture, "PNG"))
            return QObject::tr("the image cannot be encoded");
    }

    // 2. The file, whole or not at all.
    return FileSystem::saveFile(path, picture.data());
}
