#ifndef LIFTWISE_ANALYSEDFILE_H
#define LIFTWISE_ANALYSEDFILE_H

#include "airfoilfile.h"

#include <QString>
#include <QStringList>

#include <memory>

QT_BEGIN_NAMESPACE
class QTextStream;
QT_END_NAMESPACE

class Airfoil;
class Camberline;

// A data file read and analysed as every front end takes it: the points, the normalised
// airfoil, and the reference camber line with its coefficients.
struct AnalysedFile
{
    AnalysedFile();
    ~AnalysedFile();

    AirfoilData data;
    std::unique_ptr<Airfoil> airfoil;
    std::unique_ptr<Camberline> reference;
    double coeff[6] = {};
    // What the user should know about a file that is analysed all the same.
    QStringList warnings;
};

// Reads the stream and analyses its contour. Returns why the file is refused, in the user's
// words, or an empty string; a refused file gets no airfoil and no reference.
QString analyseFile(QTextStream &in, AnalysedFile *file);

#endif // LIFTWISE_ANALYSEDFILE_H
