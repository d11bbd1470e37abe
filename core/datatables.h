#ifndef LIFTWISE_DATATABLES_H
#define LIFTWISE_DATATABLES_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class Camberline;
class Study;
struct Coefficients;
struct Loading;

// The numbers behind the diagram and the plots as CSV tables (see Csv), the same from the window
// and from liftwise-cli: a header row, then the numbers at full precision. Angles in degrees,
// lengths in chords.
namespace DataTables {

// x, y_reference, y_paneled: the stations of both camber lines, each line's ordinate at every
// one of them, straight between its own stations as the diagram draws it.
QByteArray camber(const Study &study);
// x, y: the normalised contour as Save Airfoil As writes it (reshaped by the Modify presses),
// from the trailing edge over the upper surface and back over the lower one.
QByteArray contour(const Study &study);
// x, width, dcp_zero_incidence, dcp_smooth_entry: each panel's vortex, width and pressure jump
// at zero incidence and at the angle of smooth leading-edge entry (radians).
QByteArray loading(const Loading &loading, double smoothEntry);
// x, width, angle_deg, dcp_zero_incidence, dcp_smooth_entry: the same with each panel's angle.
QByteArray panels(const Camberline &line, const Loading &loading, double smoothEntry);
// panels, alpha0_deg, cm0: the coefficients of the convergence plot, by panel count.
QByteArray convergence(const QMap<int, Coefficients> &results);

} // namespace DataTables

#endif // LIFTWISE_DATATABLES_H
