// Arbitrary bytes taken the whole way a file takes when it is opened: the reader, the contour
// check, normalising, the reference and a paneled camber line with their coefficients, one
// Modify step, and every text the panels show. A finding is a crash, a sanitizer report, a
// value that is no number reaching the texts, or an input slower than a second.

#include "airfoil.h"
#include "analysedfile.h"
#include "analysis.h"
#include "modification.h"
#include "report.h"

#include <QByteArray>
#include <QTextStream>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz_load: %s\n", what);
        std::abort();
    }
}

bool allFinite(const double *coeff)
{
    for (int k = 0; k < 6; ++k) {
        if (!std::isfinite(coeff[k]))
            return false;
    }
    return true;
}

void requireNumbers(const QStringList &lines)
{
    for (const QString &line : lines) {
        // The title is the user's own text; every other line is ours.
        require(!line.contains(QLatin1String("nan")) && !line.contains(QLatin1String("inf")),
            "a text shows a value that is no number");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    QByteArray text(reinterpret_cast<const char *>(bytes), qsizetype(size));
    QTextStream in(&text);
    AnalysedFile file;
    const QString reason = analyseFile(in, &file);
    if (!reason.isEmpty()) {
        require(!file.airfoil && !file.reference, "a refused file keeps an analysis");
        return 0;
    }
    require(file.airfoil && file.reference, "a loaded file has no analysis");
    require(allFinite(file.coeff), "a loaded file has coefficients that are no numbers");
    QStringList fileLines = Report::fileLines(file);
    fileLines.removeFirst();
    requireNumbers(fileLines);

    // The paneling and the targets vary with the input, within what the window offers; up to
    // 100 panels keeps every input fast.
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    const int panels = 3 + int(hash % 98);
    const double leDensity = 1.0 + double((hash >> 8) % 901) / 100.0;
    const double teDensity = 1.0 + double((hash >> 18) % 901) / 100.0;
    std::unique_ptr<Camberline> line(
        camberlineOf(file.airfoil.get(), panels, leDensity, teDensity));
    double coeff[6];
    computeCoefficients(line.get(), coeff);
    require(allFinite(coeff), "a paneled line has coefficients that are no numbers");
    requireNumbers(Report::panelingLines(line.get(), coeff));
    requireNumbers({Report::panelWidthLine(line.get()), Report::panelAngleLine(line.get())});

    const double alpha0 = Report::spinBoxValue(
        file.coeff[1] * Report::DegreesPerRadian + double(int(hash % 41) - 20) / 10.0, -10, 10, 4);
    const double cm0
        = Report::spinBoxValue(file.coeff[2] + double(int(hash % 21) - 10) / 200.0, -0.2, 0.2, 4);
    const CamberReshaping step = reshapeCamberline(
        line.get(), panels, leDensity, teDensity, alpha0 * Report::RadiansPerDegree, cm0);
    computeCoefficients(line.get(), coeff);
    require(allFinite(coeff), "a modified line has coefficients that are no numbers");
    requireNumbers(Report::reshapingLines(step) + Report::panelingLines(line.get(), coeff));
    requireNumbers({Report::panelWidthLine(line.get()), Report::panelAngleLine(line.get())});
    return 0;
}
