#include "airfoilfile.h"

#include <QLocale>
#include <QTextStream>

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

QString notTwoNumbers(int lineNo, const QString &line)
{
    return QStringLiteral("line %1 does not start with two numbers: %2")
        .arg(QString::number(lineNo), excerpt(line));
}

// One coordinate: a point as decimal separator, an optional sign and exponent. Returns why
// the word cannot be taken, or an empty string.
QString readCoordinate(QStringView word, int lineNo, const QString &line, double *value)
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
    // Digits that do not fit a double (1e999, 1e-400) are a number out of range, anything
    // else is no number at all.
    bool digits = false;
    for (QChar ch : word) {
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            digits = true;
        } else if (!QStringLiteral("+-.eE").contains(ch)) {
            digits = false;
            break;
        }
    }
    if (digits)
        return QStringLiteral("line %1 holds %2, a number out of range")
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
    const QVector<double> x = data->x;
    const QVector<double> y = data->y;
    data->x.clear();
    data->y.clear();
    for (int i = split - 1; i >= 1; --i) {
        data->x.append(x[i]);
        data->y.append(y[i]);
    }
    const int first = x[split] == x[1] && y[split] == y[1] ? split + 1 : split;
    for (int i = first; i < x.size(); ++i) {
        data->x.append(x[i]);
        data->y.append(y[i]);
    }
    data->layout = AirfoilData::Layout::Lednicer;
}

QString tooManyPoints()
{
    return QStringLiteral("the file holds more than %1 points").arg(AirfoilData::MaxPoints);
}

} // namespace

AirfoilData readAirfoilData(QTextStream &in)
{
    AirfoilData data;
    // A Lednicer file of MaxPoints points holds its count line and may list the leading edge
    // twice; one pair more than that is too many in either layout.
    const int mostPairs = AirfoilData::MaxPoints + 2;
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine(AirfoilData::MaxLineLength + 1);
        ++lineNo;
        if (line.size() > AirfoilData::MaxLineLength) {
            data.problem = QStringLiteral("line %1 is longer than %2 characters")
                               .arg(lineNo)
                               .arg(AirfoilData::MaxLineLength);
            return data;
        }
        if (lineNo == 1) {
            data.title = line;
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
        if (found < 2) {
            data.problem = notTwoNumbers(lineNo, line);
            return data;
        }
        double x = 0.0;
        double y = 0.0;
        data.problem = readCoordinate(words[0], lineNo, line, &x);
        if (data.problem.isEmpty())
            data.problem = readCoordinate(words[1], lineNo, line, &y);
        if (!data.problem.isEmpty())
            return data;
        data.x.append(x);
        data.y.append(y);
    }

    if (const int split = lednicerSplit(data.x, data.y))
        toContourOrder(&data, split);
    if (data.count() == 0)
        data.problem = QStringLiteral("the file holds no points");
    else if (data.count() > AirfoilData::MaxPoints)
        data.problem = tooManyPoints();
    return data;
}
