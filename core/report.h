#ifndef LIFTWISE_REPORT_H
#define LIFTWISE_REPORT_H

#include "format.h"

#include <QString>
#include <QStringList>

#include <cstddef>

class Camberline;
class Study;
struct Coefficients;
struct Extrapolation;
struct Paneling;
struct CamberReshaping;
struct Targets;

// The texts of the result panels, the same in the window and on the command line. Before a load
// the study's panels are empty: no lines, an empty text.
namespace Report {

// The file panel: title (printable), point count (with the layout when it is not the plain one and
// the repeated points dropped), the reference paneling, the warnings, a blank line, the section's
// reference coefficients, their extrapolation once it is done, a blank line and the section's
// geometry. The section is what a save writes: after a press the reshaped one, named so, with
// the values as loaded kept below its coefficients and beside its camber (or, where an open
// would refuse the reshaped one, why, and the section as loaded). A value that rounds
// to zero is shown without a sign, in every panel.
QStringList fileLines(const Study &study);
// The file panel's lines on the extrapolation: "extrapolated: alpha0 = -2.024 ± 0.006 deg, cm0 =
// -0.0527 ± 0.0001" and "extrapolated: alpha(sf) = 0.121 ± 0.003 deg" for what converged, and
// "alpha(sf) not converged: 0.37 to 0.10 over 200–800 panels" (the values at both ends) for
// each that did not.
QStringList extrapolationLines(const Extrapolation &e);
// The paneling panel: the last Modify press's report, if any, then the paneled line's name and
// point count and its coefficients.
QStringList panelingLines(const Study &study);

// "paneled line (8 panels), 9 points": the paneled line's name and count, in the panel and on
// the printed page.
QString countLine(const Camberline &line);
// "8 panels, leading edge density 3.00, trailing edge density 2.00": a paneling as the
// captions, the copied study and the printed page name it.
QString panelingDescription(const Paneling &p);
// ", after 1 Modify press", ", after 3 Modify presses", or nothing before a press: the end of
// the captions of exported pictures and cutting templates.
QString pressesNote(size_t presses);
// The six labelled coefficients; angles in degrees.
QStringList coefficientLines(const Coefficients &c);
// Each panel's width, or its angle in degrees (positive where it descends towards the
// trailing edge), as " %1" entries 9 wide with 4 decimals after one leading blank.
QString panelWidthLine(const Camberline &line);
QString panelAngleLine(const Camberline &line);
// The results panel: the two lines above, after the row labels "width" and "angle [deg]"
// padded to one width, so that the entries of both lines stay in columns.
QStringList resultLines(const Camberline &line);
// The three panels one after the other, headed [file], [paneling] and [results]: what
// liftwise-cli analyze prints and the window's Copy Results copies.
QString analysisText(const Study &study);
// "modified paneling", start, target and factors of one Modify step, and a line saying so
// when the step could not be applied.
QStringList reshapingLines(const CamberReshaping &reshaping);
// The Modify presses since the paneled line was built, first to last, as a table: a head row,
// then a row a press with its number, its targets, what the paneled line and what the reshaped
// section at the reference paneling reached, and the two shapes' factors. Angles in degrees;
// "refused" where an open would refuse the section, "not applied" where the shapes could not
// reach the targets. Empty without presses.
QList<QStringList> historyTable(const Study &study);
// The three sets of numbers a study shows, each by one name wherever it is shown: the file's
// section "as loaded", the "reshaped section" a save writes, and the "paneled line (8 panels)".
QString asLoaded();
QString reshapedSection();
QString paneledLine(int panels);
// "alpha0 -4.163 deg, cm0 -0.0725": a line's two design values, as the status bar says them.
QString angleAndMoment(const Coefficients &c);
// What the status bar says after a Modify press: "Modify press 3: paneled line (8 panels)
// alpha0 -4.000 deg, cm0 -0.1000; reshaped section alpha0 -4.163 deg, cm0 -0.0725", with
// "target not reached, the press comes no closer" after the press's number where it did not.
QString pressStatus(const Study &study, bool cameCloser);
// ... where the targets are met already and Modify presses nothing, naming both lines' values
// and, where the section misses them, Reach Targets.
QString metAlreadyStatus(const Study &study, const Targets &targets);
// ... after Reach Targets: "section reached: alpha0 -4.000 deg, cm0 -0.1000", or "section not
// reached after 20 presses: ...".
QString reachStatus(const Study &study, bool reached, int presses);
// "reshaped section: alpha0 = -4.467 deg, cm0 = -0.0597": a section's reference values under
// its name (what the reshaped section gives at the reference paneling, as its saved file will).
QString sectionLine(const QString &name, const Coefficients &reference);

} // namespace Report

#endif // LIFTWISE_REPORT_H
