#ifndef LIFTWISE_RIBSET_H
#define LIFTWISE_RIBSET_H

#include "contourtemplate.h"
#include "rib.h"

#include <QList>
#include <QSizeF>
#include <QString>

QT_BEGIN_NAMESPACE
class QPainter;
QT_END_NAMESPACE

class Study;

// A tapered wing's plan, as far as its ribs need it: the chord from root to tip, the span
// between the end ribs, the sweep of the leading edge and the twist at the tip.
struct WingPlan
{
    double root = 200.0; // mm
    double tip = 150.0; // mm
    double span = 600.0; // mm, from the root rib to the tip rib
    int count = 7;
    double sweep = 0.0; // degrees, the leading edge back towards the tip
    double washout = 0.0; // degrees, the tip's nose down, linear along the span

    static constexpr int MaxCount = 200;
    static constexpr double MaxSpan = 100000.0;
    static constexpr double MaxSweep = 60.0;
    static constexpr double MaxWashout = 15.0;

    // The chord at rib index i (0 the root), and its way along the span, 0 to 1.
    double weight(int i) const { return count > 1 ? double(i) / (count - 1) : 0.0; }
    double chordAt(int i) const { return root + (tip - root) * weight(i); }
};

// The sheets the ribs are laid out on, in millimetres, landscape for the paper sizes.
struct SheetSize
{
    // "A4", "A3" (any case) or "WxH" in millimetres, 50 to MaxSide; false for anything else.
    static bool parse(const QString &text, QSizeF *size);
    static constexpr double MinSide = 50.0;
    static constexpr double MaxSide = 5080.0; // what a PDF page holds
};

// The ribs of a wing at true size, laid out in rows on as many sheets as they need, each
// labelled with its number and chord. The sections are the study's contour as a save writes
// it at the root and, given a tip section, the two blended by the way along the span; the
// washout turns each about its quarter chord. A spar placed in millimetres lies that far
// behind the root's leading edge, so that it runs straight down a swept wing; one placed in
// per cent follows each rib's chord. Further sheets lie to the right of the first in a DXF
// drawing, below it in an SVG drawing, and on further pages of a PDF document, each framed.
class RibSet
{
public:
    // The ribs of the plan; why they cannot be made, in problem, and no sheets then.
    static RibSet make(const Study &root, const Study *tip, const WingPlan &plan,
        const RibFeatures &features, const QSizeF &sheet, QString *problem);

    int sheetCount() const { return int(sheets.size()); }
    const QList<double> &chords() const { return ribChords; }
    QSizeF sheetSize() const { return size; }
    // Paints sheet index at scale k device units a millimetre, its top left corner at origin.
    void paintSheet(QPainter *painter, int index, const QPointF &origin, double k) const;

    QByteArray dxf(QString *problem) const;
    QByteArray svg() const;
    QByteArray pdf(QString *problem) const;
    // As ContourTemplate::save: written whole, only over a regular file.
    QString save(const QString &path, ContourTemplate::Type type) const;

    // Between sheets in the DXF and SVG drawings, in millimetres.
    static constexpr double SheetGap = 20.0;

private:
    QString title;
    QSizeF size;
    QList<double> ribChords;
    QList<RibDrawing> sheets;
};

#endif // LIFTWISE_RIBSET_H
