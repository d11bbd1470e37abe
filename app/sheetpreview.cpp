#include "sheetpreview.h"

#include "ribset.h"

#include <QPainter>

SheetPreview::SheetPreview(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(320, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SheetPreview::setRibSet(const RibSet *ribs)
{
    set = ribs;
    update();
}

void SheetPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (!set || set->sheetCount() == 0)
        return;
    // The sheets in rows, a gap of a tenth of a sheet between them, in as many columns as make
    // them largest.
    const QSizeF sheet = set->sheetSize();
    const double gap = sheet.width() / 10;
    const int count = set->sheetCount();
    int columns = 1;
    double k = 0.0;
    for (int c = 1; c <= count; ++c) {
        const int rows = (count + c - 1) / c;
        const double scale = 0.95
            * std::min(width() / (c * (sheet.width() + gap) - gap),
                height() / (rows * (sheet.height() + gap) - gap));
        if (scale > k) {
            k = scale;
            columns = c;
        }
    }
    const int rows = (count + columns - 1) / columns;
    const QSizeF whole(
        (columns * (sheet.width() + gap) - gap) * k, (rows * (sheet.height() + gap) - gap) * k);
    const QPointF origin((width() - whole.width()) / 2, (height() - whole.height()) / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int s = 0; s < set->sheetCount(); ++s) {
        const QPointF corner = origin
            + QPointF((s % columns) * (sheet.width() + gap), (s / columns) * (sheet.height() + gap))
                * k;
        painter.fillRect(QRectF(corner, sheet * k), Qt::white);
        set->paintSheet(&painter, s, corner, k);
    }
}
