#ifndef LIFTWISE_FORMAT_H
#define LIFTWISE_FORMAT_H

#include <QString>

QT_BEGIN_NAMESPACE
class QCommandLineParser;
QT_END_NAMESPACE

// Numbers and texts as every front end shows them and every field takes them.
namespace Format {

// v rounded to the decimals, as a field with those decimals takes it; never -0.0.
double rounded(double v, int decimals);
// v as a field of this range and decimals takes it: rounded to its decimals, then bounded.
double fieldValue(double v, double minimum, double maximum, int decimals);
// v with the decimals, without a sign when it rounds to zero.
QString fixed(double v, int decimals);
// An error estimate e (>= 0) after "±": with the decimals, or with as many more as its first
// significant digit needs, so that a small error never reads "0.0000", as no error would; at
// most three more, below which it is given as that bound ("0.0000001").
QString uncertainty(double e, int decimals);
// The line with every space but those after a comma, a colon or a semicolon, or before the
// counts a range spans ("over 200–800 panels"), made non-breaking, and each dash joined to what
// follows: a panel that wraps it wraps between values, never inside "alpha0 = -2.024 ± 0.006
// deg" or "200–800 panels".
QString wrappingBetweenValues(const QString &line);
// A range as the fields' tool tips, their refusals and the command line's help word it:
// "3 to 999", "-45 to 45", or with decimals given "1.00 to 10.00". Formatted from the same
// constants that bound the values, so that what is said is what is enforced.
QString range(double minimum, double maximum);
QString range(double minimum, double maximum, int decimals);
// The text with each control character but the tab, and each byte of a file name that is not
// UTF-8, shown as U+FFFD: a file's own text, made safe for terminals, CSV and JSON.
QString printable(const QString &text);
// The parser's help, its usage line naming the program as it is typed ("Usage: NAME [options]
// ...") rather than by the path it was started at.
QString helpText(const QCommandLineParser &parser, const QString &name);
// What --version answers: "NAME VERSION" and the licence Liftwise is distributed under.
QString versionText(const QString &name, const QString &version);

} // namespace Format

#endif // LIFTWISE_FORMAT_H
