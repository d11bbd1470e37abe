#include "airfoilfile.h"

#include <QTextStream>

AirfoilData readAirfoilData(QTextStream &in)
{
    AirfoilData data;
    data.title = in.readLine();
    // The end test follows the first pass, so even a file without point lines gives one point.
    do {
        double x = 0.0;
        double y = 0.0;
        in >> x >> y;
        data.x.append(x);
        data.y.append(y);
        in.readLine();
        if (data.count() > AirfoilData::MaxPoints) {
            data.tooManyPoints = true;
            break;
        }
    } while (!in.atEnd());
    return data;
}
