#ifndef LIFTWISE_REPORT_H
#define LIFTWISE_REPORT_H

#include <QString>
#include <QStringList>

class Camberline;
struct AnalysedFile;
struct CamberReshaping;

// The texts of the result panels, shared by the window and the command-line tool.
namespace Report {

constexpr double DegreesPerRadian = 57.29577951308232;
constexpr double RadiansPerDegree = 0.017453292519943295;

// v as a spin box of this range and decimals takes it: rounded to its decimals, then bounded.
double spinBoxValue(double v, double minimum, double maximum, int decimals);

// The file panel: title, point count (with the layout when it is not the plain one and the
// repeated points dropped), the warnings, a blank line, the reference coefficients.
QStringList fileLines(const AnalysedFile &file);
// The paneling panel below any Modify report: point count and coefficients of the line.
QStringList panelingLines(Camberline *line, const double *coeff);

// The six labelled coefficients; angles given in radians, shown in degrees.
QStringList coefficientLines(const double *coeff);
// Each panel's width, or its angle in degrees (positive where it descends towards the
// trailing edge), as " %1" entries 9 wide with 4 decimals after one leading blank.
QString panelWidthLine(Camberline *line);
QString panelAngleLine(Camberline *line);
// "modified paneling", start, target and factors of one Modify step, and a line saying so
// when the step could not be applied.
QStringList reshapingLines(const CamberReshaping &reshaping);

} // namespace Report

#endif // LIFTWISE_REPORT_H
