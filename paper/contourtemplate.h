#ifndef LIFTWISE_CONTOURTEMPLATE_H
#define LIFTWISE_CONTOURTEMPLATE_H

#include "rib.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <functional>

class Study;

// A cutting template of the section at true size: the contour a save would write (reshaped by
// the Modify presses, if any) and its camber line, scaled by the chord, in millimetres, with the
// nose at the origin, x along the chord and y up; drawn as a rib, its outline the contour's
// spline, with the features asked for. Written as a DXF drawing for laser cutters and CNC
// software, or as an SVG drawing or a PDF page to print at 1:1.
struct ContourTemplate
{
    // The chords a template takes, in millimetres, and the decimals they are given with.
    static constexpr double MinChord = 1.0;
    static constexpr double MaxChord = 10000.0;
    static constexpr int ChordDecimals = 1;

    enum class Type { Unknown, Dxf, Svg, Pdf };
    // The type a file name asks for by its extension, in any case.
    static Type typeOf(const QString &path);

    // The template of the loaded study at the chord; empty before a load.
    static ContourTemplate of(const Study &study, double chord);

    // "NACA 2412 — chord 200 mm — naca2412.dat", and the presses when the contour is reshaped.
    QString caption() const;

    // The rib as drawn, its mirrored copy below it; why the features do not fit, in problem.
    RibDrawing drawing(QString *problem) const;
    // The file's bytes; they say why they could not make them, in problem, and give none then.
    QByteArray dxf(QString *problem) const;
    QByteArray svg(QString *problem = nullptr) const;
    QByteArray pdf(QString *problem) const;
    // The largest page a PDF may have, 200 inches a side: readers refuse larger ones.
    static constexpr double MaxPdfPage = 5080.0; // mm
    // Writes the file of the type to path, replacing the one there only once it is written
    // whole, and only a regular file (or the one a link names). Why not, or an empty string.
    QString save(const QString &path, Type type) const;
    // The same for any drawing whose bytes of each type are given, and why they could not be.
    static QString save(const QString &path, Type type,
        const std::function<QByteArray(Type type, QString *problem)> &bytes);

    QString title;
    QString fileName;
    double chord = 0.0;
    int presses = 0;
    // In the order of airfoil files, from the trailing edge round the nose and back; the last
    // point joins the first.
    QList<QPointF> contour;
    // From the nose to the trailing edge.
    QList<QPointF> camber;
    RibFeatures features;
};

#endif // LIFTWISE_CONTOURTEMPLATE_H
