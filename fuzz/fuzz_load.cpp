// Arbitrary bytes taken the whole way a file takes when it is opened: the reader, the contour
// check, normalising, the reference and a paneled camber line with their coefficients, one
// Modify step, and every text the panels show. A finding is a crash, a sanitizer report, a
// value that is no number reaching the texts, or an input slower than a second.

#include "report.h"
#include "study.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz_load: %s\n", what);
        std::abort();
    }
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
    QBuffer buffer(&text);
    buffer.open(QBuffer::ReadOnly);

    // The paneling and the targets vary with the input, within what the window offers; up to
    // 100 panels keeps every input fast.
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    const Paneling paneling {3 + int(hash % 98), 1.0 + double((hash >> 8) % 901) / 100.0,
        1.0 + double((hash >> 18) % 901) / 100.0};

    Study study;
    if (study.load(&buffer, QStringLiteral("fuzz.dat"), paneling)) {
        require(!study.isLoaded() && !study.airfoil(), "a refused file keeps an analysis");
        return 0;
    }
    require(study.airfoil() && study.reference() && study.paneledLine(),
        "a loaded file has no analysis");
    require(study.referenceCoefficients().isFinite(),
        "a loaded file has coefficients that are no numbers");
    require(study.paneledCoefficients().isFinite(),
        "a paneled line has coefficients that are no numbers");
    QStringList fileLines = Report::fileLines(study);
    fileLines.removeFirst();
    requireNumbers(fileLines);
    const auto requirePanelTexts = [&] {
        requireNumbers(Report::panelingLines(study));
        requireNumbers({Report::panelWidthLine(*study.paneledLine()),
            Report::panelAngleLine(*study.paneledLine())});
    };
    requirePanelTexts();

    Targets targets = study.presetTargets();
    targets.alpha0 += radians(double(int(hash % 41) - 20) / 10.0);
    targets.cm0 += double(int(hash % 21) - 10) / 200.0;
    study.modify(targets);
    require(study.paneledCoefficients().isFinite(),
        "a modified line has coefficients that are no numbers");
    requirePanelTexts();
    return 0;
}
