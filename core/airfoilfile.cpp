#include "airfoilfile.h"

#include "filesystem.h"
#include "format.h"

#include <QIODevice>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace {

// A line as a message shows it: printable, on one line, and short.
QString excerpt(const QString &line)
{
    const int longest = 40;
    QString text = line.simplified();
    if (text.size() > longest)
        text = text.left(longest) + QStringLiteral("...");
    for (QChar &c : text) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The first words of a line, split at white space; returns how many were found, at most max.
int firstWords(const QString &line, QStringView *words, int max)
{
    int found = 0;
    int i = 0;
    const int n = int(line.size());
    while (found < max) {
        while (i < n && line.at(i).isSpace())
            ++i;
        if (i == n)
            break;
        const int start = i;
        while (i < n && !line.at(i).isSpace())
            ++i;
        words[found++] = QStringView(line).mid(start, i - start);
    }
    return found;
}

QString notTwoNumbers(qint64 lineNo, const QString &line)
{
    return QStringLiteral("line %1 does not start with two numbers: %2")
        .arg(QString::number(lineNo), excerpt(line));
}

// One coordinate: a point as decimal separator, an optional sign and exponent. Returns why
// the word cannot be taken, or an empty string.
QString readCoordinate(QStringView word, qint64 lineNo, const QString &line, double *value)
{
    static const QLocale c = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    bool ok = false;
    *value = c.toDouble(word, &ok);
    if (ok && std::isfinite(*value))
        return QString();
    const QString number = word.left(40).toString();
    if (ok)
        return QStringLiteral("line %1 holds %2, which is not a finite number")
            .arg(QString::number(lineNo), number);
    // A number that does not fit a double (1e999, 1e-400) is out of range; digits, signs and
    // points that make no number (columns run together, 1.2.3, 5e+) are not a number; anything
    // else is no coordinate at all.
    static const QRegularExpression syntax(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    static const QRegularExpression numberish(QStringLiteral("^[-+.eE0-9]*[0-9][-+.eE0-9]*$"));
    const QString text = word.toString();
    if (syntax.match(text).hasMatch())
        return QStringLiteral("line %1 holds %2, a number out of range")
            .arg(QString::number(lineNo), number);
    if (numberish.match(text).hasMatch())
        return QStringLiteral("line %1 holds %2, which is not a number")
            .arg(QString::number(lineNo), number);
    return notTwoNumbers(lineNo, line);
}

// Where the lower surface begins if the points are a Lednicer count line followed by two
// surfaces that each run from the leading edge to the trailing edge; 0 if they are not.
// The surfaces are told apart where x falls back from the trailing edge to the leading edge,
// not by the counts: real files announce counts that their blocks do not hold. Near the
// leading edge x may waver, as it does on cambered sections.
int lednicerSplit(const QVector<double> &x, const QVector<double> &y)
{
    const int n = int(x.size());
    const auto isCount = [](double v) { return v >= 2.0 && v == std::floor(v); };
    if (n < 5 || !isCount(x[0]) || !isCount(y[0]))
        return 0;
    const double le = *std::min_element(x.begin() + 1, x.end());
    const double te = *std::max_element(x.begin() + 1, x.end());
    const double near = 0.05 * (te - le);
    if (!(te > le))
        return 0;
    int split = 0;
    for (int i = 2; i < n && split == 0; ++i) {
        if (x[i] < x[i - 1] && te - x[i - 1] <= near && x[i] - le <= near)
            split = i;
    }
    // At least two points on either surface, the upper one starting at the leading edge and
    // the lower one ending at the trailing edge.
    if (split < 3 || n - split < 2 || x[1] - le > near || te - x[n - 1] > near)
        return 0;
    return split;
}

// The Lednicer surfaces in contour order: the upper one reversed, from the trailing edge to
// the leading edge, then the lower one, without its copy of the leading-edge point.
void toContourOrder(AirfoilData *data, int split)
{
    const AirfoilData file = *data;
    data->x.clear();
    data->y.clear();
    data->lineNumbers.clear();
    const auto take = [&](int i) {
        data->x.append(file.x[i]);
        data->y.append(file.y[i]);
        data->lineNumbers.append(file.lineNumbers[i]);
    };
    for (int i = split - 1; i >= 1; --i)
        take(i);
    const int first = file.x[split] == file.x[1] && file.y[split] == file.y[1] ? split + 1 : split;
    for (int i = first; i < file.count(); ++i)
        take(i);
    data->layout = AirfoilData::Layout::Lednicer;
}

// Drops each point equal to the one before it, and a last point that closes the contour
// over an open trailing edge: it repeats the first, and the point before it lies at about the
// same x, across the trailing edge rather than along a surface. A closed trailing edge, where
// the contour starts and ends at one point, stays.
void dropRepeats(AirfoilData *data)
{
    int kept = 0;
    for (int i = 0; i < data->count(); ++i) {
        if (kept > 0 && data->x[i] == data->x[kept - 1] && data->y[i] == data->y[kept - 1])
            continue;
        data->x[kept] = data->x[i];
        data->y[kept] = data->y[i];
        data->lineNumbers[kept] = data->lineNumbers[i];
        ++kept;
    }
    if (kept >= 3 && data->x[kept - 1] == data->x[0] && data->y[kept - 1] == data->y[0]
        && std::fabs(data->x[kept - 2] - data->x[0]) < std::fabs(data->y[kept - 2] - data->y[0]))
        --kept;
    data->repeatsDropped = data->count() - kept;
    data->x.resize(kept);
    data->y.resize(kept);
    data->lineNumbers.resize(kept);
}

// Lines as the device holds them, ended by LF, CR LF or CR alone, as bytes in UTF-8. Reads in
// chunks until the device gives no more, which a pipe or a /proc file does only at its end; a
// failed read ends the lines with the reason in error.
class LineReader
{
public:
    explicit LineReader(QIODevice *device)
        : device(device)
    {
    }

    // The next line without its end, cut after longest + 1 bytes so that the caller sees it is
    // too long; false when the device has ended or failed.
    bool next(QByteArray *line, qsizetype longest)
    {
        for (;;) {
            if (skipLineFeed && pos < buffer.size()) {
                skipLineFeed = false;
                if (buffer.at(pos) == '\n')
                    ++pos;
            }
            qsizetype end = pos;
            while (end < buffer.size() && buffer.at(end) != '\n' && buffer.at(end) != '\r')
                ++end;
            if (end - pos > longest) {
                *line = buffer.mid(pos, longest + 1);
                return true;
            }
            if (end < buffer.size()) {
                *line = buffer.mid(pos, end - pos);
                skipLineFeed = buffer.at(end) == '\r';
                pos = end + 1;
                return true;
            }
            const QByteArray chunk = read();
            if (!error.isEmpty())
                return false;
            if (chunk.isEmpty()) {
                if (pos == buffer.size())
                    return false;
                *line = buffer.mid(pos);
                pos = buffer.size();
                return true;
            }
            buffer = buffer.mid(pos) + chunk;
            pos = 0;
        }
    }

    QString error;

private:
    QByteArray read()
    {
        QByteArray chunk(8192, Qt::Uninitialized);
        const qint64 size = device->read(chunk.data(), chunk.size());
        if (size < 0) {
            error = QStringLiteral("read error: ") + FileSystem::reason(device->errorString());
            return QByteArray();
        }
        chunk.truncate(size);
        // A byte-order mark says the encoding; UTF-8's is dropped, UTF-16 and UTF-32 are read
        // as UTF-8.
        if (first && size > 0) {
            first = false;
            const auto encoding = QStringConverter::encodingForData(chunk);
            if (encoding == QStringConverter::Utf8)
                chunk.remove(0, 3);
            else if (encoding)
                decoder = QStringDecoder(*encoding);
        }
        if (decoder.isValid())
            chunk = QString(decoder.decode(chunk)).toUtf8();
        return chunk;
    }

    QIODevice *device;
    QStringDecoder decoder;
    bool first = true;
    QByteArray buffer;
    qsizetype pos = 0;
    bool skipLineFeed = false;
};

// Whether a title holds two numbers and nothing else: most likely the first point of a file
// written without a title.
bool isNumberPair(const QString &title)
{
    QStringView words[3];
    if (firstWords(title, words, 3) != 2)
        return false;
    static const QLocale c = QLocale::c();
    bool ok[2] = {};
    c.toDouble(words[0], &ok[0]);
    c.toDouble(words[1], &ok[1]);
    return ok[0] && ok[1];
}

QString tooManyPoints()
{
    return QStringLiteral("the file holds more than %1 points").arg(AirfoilData::MaxPoints);
}

} // namespace

AirfoilData readAirfoilData(QIODevice *device)
{
    AirfoilData data;
    // A Lednicer file of MaxPoints points holds its count line and may list the leading edge
    // twice; one pair more than that is too many in either layout.
    const int mostPairs = AirfoilData::MaxPoints + 2;
    qint64 lineNo = 0;
    LineReader lines(device);
    QByteArray bytes;
    // A character takes at most three bytes of UTF-8 for each of its UTF-16 units.
    while (lines.next(&bytes, 3 * qsizetype(AirfoilData::MaxLineLength))) {
        ++lineNo;
        const QString line = QString::fromUtf8(bytes);
        if (line.size() > AirfoilData::MaxLineLength
            || bytes.size() > 3 * qsizetype(AirfoilData::MaxLineLength)) {
            data.problem = QStringLiteral("line %1 is longer than %2 characters")
                               .arg(lineNo)
                               .arg(AirfoilData::MaxLineLength);
            return data;
        }
        if (lineNo == 1) {
            data.title = line;
            data.titleBytes = bytes;
            if (isNumberPair(line))
                data.warnings << QStringLiteral(
                    "the first line holds two numbers and is read as the title");
            continue;
        }
        QStringView words[2];
        const int found = firstWords(line, words, 2);
        if (found == 0)
            continue;
        if (data.count() == mostPairs) {
            data.problem = tooManyPoints();
            return data;
        }
        // A word that is no number is named even when it stands alone, as Fortran columns run
        // together do.
        double x = 0.0;
        double y = 0.0;
        data.problem = readCoordinate(words[0], lineNo, line, &x);
        if (data.problem.isEmpty() && found < 2)
            data.problem = notTwoNumbers(lineNo, line);
        if (data.problem.isEmpty())
            data.problem = readCoordinate(words[1], lineNo, line, &y);
        if (!data.problem.isEmpty())
            return data;
        data.x.append(x);
        data.y.append(y);
        data.lineNumbers.append(lineNo);
    }
    if (!lines.error.isEmpty()) {
        data.problem = lines.error;
        data.readFailed = true;
        return data;
    }

    if (const int split = lednicerSplit(data.x, data.y))
        toContourOrder(&data, split);
    dropRepeats(&data);
    if (data.count() == 0)
        data.problem = QStringLiteral("the file holds no points");
    else if (data.count() > AirfoilData::MaxPoints)
        data.problem = tooManyPoints();
    return data;
}

QByteArray coordinateLines(const std::vector<double> &x, const std::vector<double> &y)
{
    QByteArray text;
    for (size_t i = 0; i < x.size() && i < y.size(); ++i)
        text += Format::fixed(x[i], 7).toLatin1() + "  " + Format::fixed(y[i], 7).toLatin1() + '\n';
    return text;
}
