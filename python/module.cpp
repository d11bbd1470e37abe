// The Python module liftwise: sections from files, NACA digits, a-series values or points,
// analysed, swept, reshaped and saved as liftwise-cli does it, with numpy arrays. Every
// computation lets go of the interpreter's lock, so that threads run at once.

// Python's headers first: they name a member "slots", which Qt's headers make a keyword.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "filesystem.h"
#include "format.h"
#include "nacafamily.h"
#include "scriptsection.h"

#include <QThread>

#include <cmath>
#include <optional>

namespace py = pybind11;
using namespace pybind11::literals;

namespace {

// The module's exception classes, made at import and kept for the life of the process (a
// py::object would be released after the interpreter is gone).
struct ErrorTypes
{
    PyObject *error = nullptr;
    PyObject *refused = nullptr;
    PyObject *file = nullptr;
    PyObject *notReached = nullptr;
};
ErrorTypes errorTypes;

py::str text(const QString &s) { return py::str(s.toStdString()); }

// A file name as the system holds it: str, bytes or a path object, by its bytes, so that names
// that are not UTF-8 open too.
QString pathArgument(const py::handle &path)
{
    const py::bytes bytes = py::module_::import("os").attr("fsencode")(path);
    return FileSystem::decodeName(QByteArray::fromStdString(std::string(bytes)));
}

// The name back as Python spells file names; None for none.
py::object pathObject(const QString &path)
{
    if (path.isEmpty())
        return py::none();
    return py::module_::import("os").attr("fsdecode")(
        py::bytes(FileSystem::encodeName(path).toStdString()));
}

// The exception of that type with the message, and the attributes.
py::object error(PyObject *type, const QString &message, const py::dict &attributes = {})
{
    py::object e = py::reinterpret_borrow<py::object>(type)(text(message));
    for (const auto &[name, value] : attributes)
        py::setattr(e, name, value);
    return e;
}

[[noreturn]] void raise(const py::object &e)
{
    PyErr_SetObject(reinterpret_cast<PyObject *>(Py_TYPE(e.ptr())), e.ptr());
    throw py::error_already_set();
}

// A refusal as the exception that says it: a file that cannot be read or written is a
// FileError (an OSError), a section an open refuses a RefusedError; with the reason and the
// path.
py::object refusalError(
    const Study::Refusal &refusal, const QString &path, const QString &prefix = QString())
{
    const bool file
        = refusal.kind == Study::Refusal::Unreadable || refusal.kind == Study::Refusal::Unwritable;
    const QString said = refusal.kind == Study::Refusal::WouldBeRefused
        ? QStringLiteral("the reshaped airfoil would be refused: ")
        : prefix;
    return error(file ? errorTypes.file : errorTypes.refused, said + refusal.reason,
        py::dict("reason"_a = text(refusal.reason), "path"_a = pathObject(path)));
}

[[noreturn]] void valueError(const QString &message)
{
    throw py::value_error(message.toStdString());
}

// A value in its range, as the command line takes its options: rounded first to the decimals
// where the window's field rounds, and refused with the range otherwise.
double checked(const char *name, double value, double minimum, double maximum, int decimals,
    bool rounding = false)
{
    const double v = rounding ? Format::rounded(value, decimals) : value;
    if (!std::isfinite(value) || !(v >= minimum && v <= maximum))
        valueError(QStringLiteral("%1 takes a number from %2")
                       .arg(QLatin1String(name), Format::range(minimum, maximum, decimals)));
    return v;
}

int checkedCount(const char *name, int value, int minimum, int maximum)
{
    if (value < minimum || value > maximum)
        valueError(QStringLiteral("%1 takes a whole number from %2")
                       .arg(QLatin1String(name), Format::range(minimum, maximum)));
    return value;
}

Paneling paneling(int panels, double le, double te)
{
    return {checkedCount("panels", panels, Paneling::MinPanels, Paneling::MaxPanels),
        checked(
            "le", le, Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityDecimals, true),
        checked(
            "te", te, Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityDecimals, true)};
}

// A design operation's value in its range; the range said as liftwise-cli design says it.
double checkedOperation(const char *name, double value, SectionOperation::Range range)
{
    if (!(value >= range.minimum && value <= range.maximum))
        valueError(QStringLiteral("%1 takes a number from %2 to %3")
                       .arg(QLatin1String(name))
                       .arg(range.minimum)
                       .arg(range.maximum));
    return value;
}

py::array_t<double> array(const std::vector<double> &values)
{
    py::array_t<double> a(py::ssize_t(values.size()));
    std::copy(values.cbegin(), values.cend(), a.mutable_data());
    return a;
}

// N x 2, x and y.
py::array_t<double> pointArray(const double *x, const double *y, size_t n)
{
    py::array_t<double> a({py::ssize_t(n), py::ssize_t(2)});
    auto points = a.mutable_unchecked<2>();
    for (size_t i = 0; i < n; ++i) {
        points(i, 0) = x[i];
        points(i, 1) = y[i];
    }
    return a;
}

// The six coefficients by the names Python gives them, angles in radians and in degrees.
struct Quantity
{
    const char *name;
    double Coefficients::*member;
    bool inDegrees;
    const char *doc;
};
const Quantity quantities[] = {
    {"cl0", &Coefficients::cl0, false, "Lift coefficient at zero incidence."},
    {"alpha0", &Coefficients::alpha0, false, "Zero-lift angle, radians."},
    {"alpha0_deg", &Coefficients::alpha0, true, "Zero-lift angle, degrees."},
    {"cm0", &Coefficients::cm0, false,
        "Moment coefficient about the quarter chord at zero incidence, positive nose up."},
    {"dclda", &Coefficients::dclda, false, "Lift slope per radian (2 pi for this method)."},
    {"alpha_sf", &Coefficients::alphaSF, false, "Angle of smooth leading-edge entry, radians."},
    {"alpha_sf_deg", &Coefficients::alphaSF, true, "Angle of smooth leading-edge entry, degrees."},
    {"cl_sf", &Coefficients::clSF, false, "Lift coefficient at smooth leading-edge entry."},
};

double valueOf(const Coefficients &c, const Quantity &q)
{
    return q.inDegrees ? degrees(c.*q.member) : c.*q.member;
}

py::dict dictOf(const Coefficients &c)
{
    py::dict d;
    for (const Quantity &q : quantities)
        d[q.name] = valueOf(c, q);
    return d;
}

// Defines a read-only property for each coefficient, of what get gives for the object.
template <class Class, class Get> void defineQuantities(Class &cls, const Get &get)
{
    for (const Quantity &q : quantities) {
        cls.def_property_readonly(
            q.name,
            [q, get](const typename Class::type &object) { return valueOf(get(object), q); },
            q.doc);
    }
}

void defineCoefficients(py::module_ &m)
{
    py::class_<Coefficients> cls(m, "Coefficients",
        "The six thin-airfoil coefficients of a camber line at chord 1: angles in radians and, "
        "under the names ending in _deg, in degrees.");
    defineQuantities(cls, [](const Coefficients &c) { return c; });
    cls.def("to_dict", &dictOf, "The coefficients by name, for a table row.");
    cls.def("__repr__", [](const Coefficients &c) {
        QStringList fields;
        for (const Quantity &q : quantities) {
            // Angles in degrees only, as every text gives them.
            if (q.inDegrees
                || (q.member != &Coefficients::alpha0 && q.member != &Coefficients::alphaSF))
                fields << QStringLiteral("%1=%2")
                              .arg(QLatin1String(q.name))
                              .arg(valueOf(c, q), 0, 'g', 6);
        }
        return QStringLiteral("Coefficients(%1)")
            .arg(fields.join(QStringLiteral(", ")))
            .toStdString();
    });
}

void defineGeometry(py::module_ &m)
{
    py::class_<SectionGeometry>(m, "Geometry",
        "The section's shape as designers quote it, in chords, on the normalised contour: "
        "thickness between the surfaces and camber as their mean, vertically at the same x, and "
        "the gap between the trailing-edge ends.")
        .def_readonly("max_thickness", &SectionGeometry::maxThickness, "Largest thickness.")
        .def_readonly("max_thickness_x", &SectionGeometry::maxThicknessX, "Where it lies.")
        .def_readonly("max_camber", &SectionGeometry::maxCamber,
            "Largest camber in magnitude, with its sign.")
        .def_readonly("max_camber_x", &SectionGeometry::maxCamberX, "Where it lies.")
        .def_readonly("trailing_edge_gap", &SectionGeometry::trailingEdgeGap,
            "Gap between the trailing-edge ends.")
        .def("__repr__", [](const SectionGeometry &g) {
            return QStringLiteral("Geometry(max_thickness=%1 at %2, max_camber=%3 at %4, "
                                  "trailing_edge_gap=%5)")
                .arg(g.maxThickness, 0, 'g', 4)
                .arg(g.maxThicknessX, 0, 'g', 4)
                .arg(g.maxCamber, 0, 'g', 4)
                .arg(g.maxCamberX, 0, 'g', 4)
                .arg(g.trailingEdgeGap, 0, 'g', 4)
                .toStdString();
        });
}

void defineExtrapolated(py::module_ &m)
{
    py::class_<Extrapolation> cls(m, "Extrapolated",
        "The reference values carried to the limit of ever more panels from the 200, 400 and "
        "800-panel lines, each with its error: as liftwise-cli analyze --json gives them. A value "
        "that did not converge is its 800-panel value and its error is None; coarse and fine "
        "give every value at 200 and at 800 panels.");
    defineQuantities(cls, [](const Extrapolation &e) { return e.value; });
    for (const Quantity &q : quantities) {
        const std::string name = std::string(q.name) + "_error";
        cls.def_property_readonly(
            name.c_str(),
            [q](const Extrapolation &e) -> py::object {
                if (!e.isConverged(q.member))
                    return py::none();
                return py::float_(valueOf(e.error, q));
            },
            "The error of the value; None where it did not converge.");
    }
    cls.def_property_readonly(
           "value", [](const Extrapolation &e) { return e.value; }, "The values as Coefficients.")
        .def_property_readonly(
            "coarse", [](const Extrapolation &e) { return e.coarse; }, "The values at 200 panels.")
        .def_property_readonly(
            "fine", [](const Extrapolation &e) { return e.fine; }, "The values at 800 panels.")
        .def(
            "converged",
            [](const Extrapolation &e, const std::string &name) {
                for (const Quantity &q : quantities) {
                    if (name == q.name)
                        return e.isConverged(q.member);
                }
                throw py::value_error("no coefficient is named " + name);
            },
            "name"_a, "Whether the coefficient of that name (alpha0, cm0, ...) converged.")
        .def("__repr__", [](const Extrapolation &e) {
            const auto part = [&](double Coefficients::*member, int decimals, double scale) {
                return e.isConverged(member)
                    ? QStringLiteral("%1 +- %2")
                          .arg(Format::fixed(scale * e.value.*member, decimals),
                              QString::number(scale * e.error.*member, 'g', 2))
                    : QStringLiteral("%1 (not converged)")
                          .arg(Format::fixed(scale * e.value.*member, decimals));
            };
            return QStringLiteral("<liftwise.Extrapolated alpha0 = %1 deg, cm0 = %2>")
                .arg(part(&Coefficients::alpha0, 4, DegreesPerRadian),
                    part(&Coefficients::cm0, 5, 1.0))
                .toStdString();
        });
}

void defineAnalysis(py::module_ &m)
{
    py::class_<ScriptAnalysis> cls(m, "Analysis",
        "A section analysed at one paneling, as liftwise-cli analyze --json gives it: the "
        "paneled line's coefficients (also under their own names: alpha0, cm0, ...), the "
        "200-panel reference's, the extrapolated values with their errors, the geometry, and "
        "the paneled line and its loading panel by panel as numpy arrays.");
    defineQuantities(cls, [](const ScriptAnalysis &a) { return a.coefficients; });
    cls.def_property_readonly(
           "coefficients", [](const ScriptAnalysis &a) { return a.coefficients; },
           "The paneled line's coefficients.")
        .def_property_readonly(
            "reference", [](const ScriptAnalysis &a) { return a.reference; },
            "The coefficients of the 200-panel reference line.")
        .def_property_readonly(
            "extrapolated", [](const ScriptAnalysis &a) { return a.extrapolated; },
            "The reference values extrapolated to ever more panels, with their errors.")
        .def_property_readonly(
            "geometry", [](const ScriptAnalysis &a) { return a.geometry; },
            "The section's thickness, camber and trailing-edge gap.")
        .def_property_readonly(
            "title", [](const ScriptAnalysis &a) { return text(a.title); }, "The section's title.")
        .def_property_readonly(
            "path", [](const ScriptAnalysis &a) { return pathObject(a.path); },
            "The file the section came from; None for none.")
        .def_property_readonly(
            "warnings",
            [](const ScriptAnalysis &a) {
                py::list l;
                for (const QString &w : a.warnings)
                    l.append(text(w));
                return l;
            },
            "What the file panel warns of: the section was taken, but not quite as written.")
        .def_property_readonly(
            "panels", [](const ScriptAnalysis &a) { return a.paneling.panels; }, "Panel count.")
        .def_property_readonly(
            "le", [](const ScriptAnalysis &a) { return a.paneling.leDensity; },
            "Leading-edge density.")
        .def_property_readonly(
            "te", [](const ScriptAnalysis &a) { return a.paneling.teDensity; },
            "Trailing-edge density.")
        .def_property_readonly(
            "stations", [](const ScriptAnalysis &a) { return array(a.stations); },
            "The paneled line's n + 1 stations, in chords.")
        .def_property_readonly(
            "ordinates", [](const ScriptAnalysis &a) { return array(a.ordinates); },
            "The camber line's ordinate at each station, in chords.")
        .def_property_readonly(
            "widths", [](const ScriptAnalysis &a) { return array(a.widths); },
            "Each panel's width, in chords.")
        .def_property_readonly(
            "angles", [](const ScriptAnalysis &a) { return array(a.angles); },
            "Each panel's angle against the chord, radians, positive where the line falls "
            "towards the trailing edge.")
        .def_property_readonly(
            "angles_deg",
            [](const ScriptAnalysis &a) {
                std::vector<double> d;
                for (const double angle : a.angles)
                    d.push_back(degrees(angle));
                return array(d);
            },
            "Each panel's angle, degrees.")
        .def_property_readonly(
            "vortices", [](const ScriptAnalysis &a) { return array(a.loading.x); },
            "The x of each panel's vortex (its quarter point), in chords: where delta_cp "
            "stands.")
        .def_property_readonly(
            "delta_cp", [](const ScriptAnalysis &a) { return array(a.deltaCp); },
            "The pressure difference of lower and upper surface over each panel at zero "
            "incidence, 2 circulation / width: times the widths it sums to cl0.")
        .def_property_readonly(
            "delta_cp_smooth_entry",
            [](const ScriptAnalysis &a) { return array(a.deltaCpSmoothEntry); },
            "The same at the angle of smooth leading-edge entry.")
        .def(
            "delta_cp_at",
            [](const ScriptAnalysis &a, double alphaDeg) {
                return array(a.loading.pressureJumps(radians(alphaDeg)));
            },
            "alpha_deg"_a, "The pressure difference over each panel at that incidence, degrees.")
        .def("__repr__", [](const ScriptAnalysis &a) {
            return QStringLiteral("<liftwise.Analysis '%1' at %2 panels (le %3, te %4): %5>")
                .arg(a.title)
                .arg(a.paneling.panels)
                .arg(Format::fixed(a.paneling.leDensity, Paneling::DensityDecimals),
                    Format::fixed(a.paneling.teDensity, Paneling::DensityDecimals),
                    Pressing::values(a.coefficients))
                .toStdString();
        });
}

void defineSweep(py::module_ &m)
{
    py::class_<ScriptSweep> cls(m, "Sweep",
        "A section's coefficients against the panel count, as liftwise-cli sweep gives them: "
        "each coefficient a numpy array in the order of panels, and the 200-panel reference.");
    for (const Quantity &q : quantities) {
        cls.def_property_readonly(
            q.name,
            [q](const ScriptSweep &s) {
                std::vector<double> values;
                for (const Coefficients &c : s.coefficients)
                    values.push_back(valueOf(c, q));
                return array(values);
            },
            q.doc);
    }
    cls.def_property_readonly(
           "panels",
           [](const ScriptSweep &s) {
               py::array_t<int> a(py::ssize_t(s.panels.size()));
               std::copy(s.panels.cbegin(), s.panels.cend(), a.mutable_data());
               return a;
           },
           "The panel counts.")
        .def_property_readonly(
            "reference", [](const ScriptSweep &s) { return s.reference; },
            "The coefficients of the 200-panel reference line.")
        .def("__len__", [](const ScriptSweep &s) { return s.panels.size(); })
        .def("__repr__", [](const ScriptSweep &s) {
            return QStringLiteral("<liftwise.Sweep of %1 panel counts%2>")
                .arg(s.panels.size())
                .arg(s.panels.empty()
                        ? QString()
                        : QStringLiteral(", %1 to %2")
                              .arg(*std::min_element(s.panels.cbegin(), s.panels.cend()))
                              .arg(*std::max_element(s.panels.cbegin(), s.panels.cend())))
                .toStdString();
        });
}

using SectionPtr = std::shared_ptr<ScriptSection>;

SectionPtr opened(const QString &path)
{
    auto section = std::make_shared<ScriptSection>();
    Study::Refusal refusal;
    {
        py::gil_scoped_release unlocked;
        refusal = ScriptSection::open(path, section.get());
    }
    if (refusal)
        raise(refusalError(refusal, path));
    return section;
}

SectionPtr fromText(const QByteArray &text)
{
    auto section = std::make_shared<ScriptSection>();
    Study::Refusal refusal;
    {
        py::gil_scoped_release unlocked;
        refusal = ScriptSection::fromText(text, section.get());
    }
    if (refusal)
        raise(refusalError(refusal, QString()));
    return section;
}

// A NACA section at the points, as liftwise-cli naca and meanline write it.
SectionPtr named(const NacaFamily::NamedSection &section, int points, bool closedTrailingEdge)
{
    if (!section.isValid())
        valueError(section.problem);
    checkedCount("points", points, NacaFamily::MinPoints, NacaFamily::MaxPoints);
    if (!NacaFamily::isPointCount(points))
        valueError(QStringLiteral("points takes %1").arg(NacaFamily::pointCountRule()));
    return fromText(NacaFamily::fileText(section, points, closedTrailingEdge));
}

SectionPtr designed(const ScriptSection &section, const SectionOperation &operation,
    const ScriptSection *other = nullptr)
{
    auto result = std::make_shared<ScriptSection>();
    Study::Refusal refusal;
    {
        py::gil_scoped_release unlocked;
        refusal = section.design(operation, other, result.get());
    }
    if (refusal)
        raise(
            refusalError(refusal, section.path(), QStringLiteral("the result would be refused: ")));
    return result;
}

SectionOperation operation(SectionOperation::Kind kind, const char *name, double value)
{
    SectionOperation op;
    op.kind = kind;
    op.value = checkedOperation(name, value, SectionOperation::range(kind));
    return op;
}

SectionPtr modified(const ScriptSection &section, double alpha0Deg, double cm0,
    std::optional<int> presses, int panels, double le, double te)
{
    Targets targets;
    targets.alpha0 = radians(checked("alpha0_deg", alpha0Deg, -Targets::MaxAlpha0Degrees,
        Targets::MaxAlpha0Degrees, Targets::Decimals));
    targets.cm0 = checked("cm0", cm0, -Targets::MaxCm0, Targets::MaxCm0, Targets::Decimals);
    const int count = presses ? checkedCount("presses", *presses, 1, Targets::MaxPresses) : 0;
    const Paneling at = paneling(panels, le, te);
    auto result = std::make_shared<ScriptSection>();
    Pressing::Outcome outcome;
    Study::Refusal refusal;
    {
        py::gil_scoped_release unlocked;
        refusal = section.modify(targets, count, at, &outcome, result.get());
    }
    const auto notReached = [&](const QString &message, py::object press) {
        return error(errorTypes.notReached, message,
            py::dict("alpha0"_a = outcome.section.alpha0,
                "alpha0_deg"_a = degrees(outcome.section.alpha0), "cm0"_a = outcome.section.cm0,
                "press"_a = press));
    };
    if (outcome.unreachable)
        raise(notReached(
            Pressing::unreachableText(outcome.unreachable), py::int_(outcome.unreachable)));
    if (outcome.missed && !presses)
        raise(notReached(Pressing::missedText(outcome.section), py::none()));
    if (refusal)
        raise(refusalError(refusal, section.path()));
    if (outcome.missed
        && PyErr_WarnEx(
               PyExc_UserWarning, Pressing::missedText(outcome.section).toStdString().c_str(), 1)
            < 0)
        throw py::error_already_set();
    return result;
}

std::string sectionRepr(const ScriptSection &s)
{
    return QStringLiteral("<liftwise.Section '%1': %2 points, %3 at %4 panels>")
        .arg(s.title())
        .arg(s.file().count())
        .arg(Pressing::values(s.reference()))
        .arg(Paneling::reference().panels)
        .toStdString();
}

void defineSection(py::module_ &m)
{
    py::class_<ScriptSection, SectionPtr> cls(
        m, "Section", R"doc(An airfoil section, as Liftwise opens it.

Made by liftwise.open(path), liftwise.naca(digits), liftwise.meanline(...) or
Section.from_points(xy), and never changed: analyze() and sweep() study it, and
each design lever (modify, flap, scale_camber, scale_thickness, camber_at,
te_gap, repanel, blend) returns a new section, as liftwise-cli does it. Every
method lets other threads run meanwhile.

Example:
    >>> s = liftwise.naca("2412")
    >>> r = s.analyze(panels=200)
    >>> r.alpha0_deg, r.cm0
    >>> s.flap(hinge=0.75, deflection_deg=5).save("flapped.dat")
)doc");
    cls.def_static(
           "from_points",
           [](py::array_t<double, py::array::c_style | py::array::forcecast> xy,
               const std::string &title) {
               if (xy.ndim() != 2 || xy.shape(1) != 2)
                   valueError(QStringLiteral("xy takes an N x 2 array of x and y"));
               if (title.find_first_of("\r\n") != std::string::npos)
                   valueError(QStringLiteral("title takes one line"));
               QByteArray text;
               {
                   py::gil_scoped_release unlocked;
                   text = ScriptSection::pointsText(
                       QString::fromStdString(title), xy.data(), size_t(xy.shape(0)));
               }
               return fromText(text);
           },
           "xy"_a, "title"_a = "",
           R"doc(A section from an N x 2 array of x and y, in either contour order: from one
trailing edge over one surface to the leading edge and back over the other. Any
unit and size; the contour is normalised as a file's is. Refused as a file with
those points would be (RefusedError, the line counted with the title as line 1).)doc")
        .def_property_readonly(
            "title", [](const ScriptSection &s) { return text(s.title()); }, "The title line.")
        .def_property_readonly(
            "path", [](const ScriptSection &s) { return pathObject(s.path()); },
            "The file the section came from, or the one a design started from; None for none.")
        .def_property_readonly(
            "points",
            [](const ScriptSection &s) {
                const AirfoilData &d = s.file();
                return pointArray(d.x.constData(), d.y.constData(), size_t(d.count()));
            },
            "The points as read, N x 2 (repeated points dropped, a Lednicer file in contour "
            "order).")
        .def_property_readonly(
            "contour",
            [](const ScriptSection &s) {
                return pointArray(s.contourX().data(), s.contourY().data(), s.contourX().size());
            },
            "The normalised contour, N x 2: chord 1, the leading edge at the origin.")
        .def_property_readonly(
            "layout", [](const ScriptSection &s) { return text(s.file().layoutName()); },
            "The file's layout: plain or lednicer.")
        .def_property_readonly(
            "warnings",
            [](const ScriptSection &s) {
                py::list l;
                for (const QString &w : s.warnings())
                    l.append(text(w));
                return l;
            },
            "What the file panel warns of: the section was taken, but not quite as written.")
        .def_property_readonly(
            "reference", [](const ScriptSection &s) { return s.reference(); },
            "The coefficients of the 200-panel reference line.")
        .def_property_readonly(
            "geometry", [](const ScriptSection &s) { return s.geometry(); },
            "The section's thickness, camber and trailing-edge gap.")
        .def_property_readonly(
            "text",
            [](const ScriptSection &s) {
                QByteArray saved;
                Study::Refusal refusal;
                {
                    py::gil_scoped_release unlocked;
                    refusal = s.savedText(&saved);
                }
                if (refusal)
                    raise(refusalError(refusal, s.path()));
                return py::bytes(saved.toStdString());
            },
            "The airfoil file save() writes, as bytes.")
        .def(
            "analyze",
            [](const ScriptSection &s, int panels, double le, double te) {
                const Paneling at = paneling(panels, le, te);
                py::gil_scoped_release unlocked;
                return s.analyze(at);
            },
            py::kw_only(), "panels"_a = Paneling::reference().panels,
            "le"_a = Paneling::reference().leDensity, "te"_a = Paneling::reference().teDensity,
            R"doc(The section at the paneling: panels 3 to 999, leading- and trailing-edge
densities 1 to 10 (to two decimals). The values of liftwise-cli analyze --json,
bit for bit.)doc")
        .def(
            "sweep",
            [](const ScriptSection &s, const std::vector<int> &panels, double le, double te) {
                QList<int> counts;
                for (const int n : panels)
                    counts << checkedCount("panels", n, Paneling::MinPanels, Paneling::MaxPanels);
                const Paneling densities = paneling(Paneling::MinPanels, le, te);
                py::gil_scoped_release unlocked;
                return s.sweep(counts, densities);
            },
            "panels"_a, py::kw_only(), "le"_a = Paneling::reference().leDensity,
            "te"_a = Paneling::reference().teDensity,
            R"doc(The coefficients at each panel count (a sequence of 3 to 999), at the
densities, worked out on every core: the values of liftwise-cli sweep.)doc")
        .def(
            "modify",
            [](const ScriptSection &s, double alpha0Deg, double cm0, std::optional<int> presses,
                int panels, double le,
                double te) { return modified(s, alpha0Deg, cm0, presses, panels, le, te); },
            py::kw_only(), "alpha0_deg"_a, "cm0"_a, "presses"_a = py::none(),
            "panels"_a = Paneling::reference().panels, "le"_a = Paneling::reference().leDensity,
            "te"_a = Paneling::reference().teDensity,
            R"doc(The section reshaped by Modify towards the targets (alpha0 -45 to 45 degrees,
cm0 -1 to 1), as liftwise-cli modify reshapes it: pressed at the paneling until
its own reference values lie within 0.001 deg and 0.00001 of them, at most 20
presses, or TargetNotReached with the values it reached. With presses=K it is
pressed K times (1 to 100) at the targets themselves, as the window's Modify
does; one that ends farther than 0.01 deg or 0.0002 from them is returned with
a UserWarning. A reshaped section an open would refuse raises RefusedError.)doc")
        .def(
            "flap",
            [](const ScriptSection &s, double hinge, double deflectionDeg) {
                SectionOperation op = operation(SectionOperation::Flap, "hinge", hinge);
                op.deflectionDegrees = checkedOperation(
                    "deflection_deg", deflectionDeg, SectionOperation::deflectionRange());
                return designed(s, op);
            },
            py::kw_only(), "hinge"_a, "deflection_deg"_a,
            R"doc(The contour behind the hinge (0.5 to 0.95 of the chord) turned about the
hinge point on the camber line by deflection_deg (-30 to 30, positive trailing
edge down). The file keeps the unflapped chord's frame.)doc")
        .def(
            "scale_camber",
            [](const ScriptSection &s, double factor) {
                return designed(s, operation(SectionOperation::ScaleCamber, "factor", factor));
            },
            "factor"_a, "The camber scaled by factor (-5 to 5), the thickness kept.")
        .def(
            "scale_thickness",
            [](const ScriptSection &s, double factor) {
                return designed(s, operation(SectionOperation::ScaleThickness, "factor", factor));
            },
            "factor"_a, "The thickness scaled by factor (0 to 5), the camber kept.")
        .def(
            "camber_at",
            [](const ScriptSection &s, double x) {
                return designed(s, operation(SectionOperation::CamberAt, "x", x));
            },
            "x"_a, "The largest camber moved to x (0.1 to 0.9 of the chord).")
        .def(
            "te_gap",
            [](const ScriptSection &s, double percent) {
                return designed(
                    s, operation(SectionOperation::TrailingEdgeGap, "percent", percent));
            },
            "percent"_a,
            "The trailing edge opened or closed to percent (0 to 5) per cent of the chord, over "
            "the rear half.")
        .def(
            "repanel",
            [](const ScriptSection &s, int points) {
                const SectionOperation::Range r
                    = SectionOperation::range(SectionOperation::Repanel);
                SectionOperation op;
                op.kind = SectionOperation::Repanel;
                op.value = checkedCount("points", points, int(r.minimum), int(r.maximum));
                return designed(s, op);
            },
            "points"_a, "The contour taken again at points (40 to 999), cosine-spaced.")
        .def(
            "blend",
            [](const ScriptSection &s, const ScriptSection &other, double weight) {
                return designed(s, operation(SectionOperation::Blend, "weight", weight), &other);
            },
            "other"_a, "weight"_a,
            "Camber and thickness blended with the other section's at the same stations, weight "
            "0 (this one) to 1 (the other).")
        .def(
            "save",
            [](const ScriptSection &s, const py::object &path) {
                const QString name = pathArgument(path);
                Study::Refusal refusal;
                {
                    py::gil_scoped_release unlocked;
                    refusal = s.save(name);
                }
                if (refusal)
                    raise(refusalError(refusal, name));
            },
            "path"_a,
            R"doc(Writes the airfoil file, as the window saves it: replacing the file only once
it is written whole, never a pipe or a device. A section an open would refuse
is not written (RefusedError), nor one that cannot be (FileError).)doc")
        .def("__repr__", &sectionRepr);
}

} // namespace

PYBIND11_MODULE(liftwise, m)
{
    m.doc() = R"doc(Liftwise from Python: an airfoil's camber line studied with thin-airfoil
theory (discrete-vortex method), as the window and liftwise-cli study it.

    import liftwise
    s = liftwise.open("naca2412.dat")        # or liftwise.naca("2412")
    r = s.analyze(panels=200)
    print(r.alpha0_deg, r.cm0, r.extrapolated.alpha0_deg_error)
    plt.plot(r.vortices, r.delta_cp)
    t = s.modify(alpha0_deg=-3, cm0=-0.06)   # a new section
    t.save("reshaped.dat")

Errors are exceptions: RefusedError for a section an open refuses (with the
reader's words, "line 12: ..."), FileError (an OSError) for a file that cannot
be read or written, TargetNotReached, and ValueError for a value out of range.
Every computation lets other threads run.)doc";
    m.attr("__version__") = LIFTWISE_VERSION;

    errorTypes.error = PyErr_NewExceptionWithDoc(
        "liftwise.Error", "What every error of liftwise derives from.", PyExc_Exception, nullptr);
    errorTypes.refused = PyErr_NewExceptionWithDoc("liftwise.RefusedError",
        "A section an open refuses, with the reason in the command line's words (.reason) "
        "and the file (.path, None for none).",
        errorTypes.error, nullptr);
    const py::tuple fileBases
        = py::make_tuple(py::handle(errorTypes.error), py::handle(PyExc_OSError));
    errorTypes.file = PyErr_NewExceptionWithDoc("liftwise.FileError",
        "A file that cannot be read or written, with the system's reason (.reason) and the "
        "file (.path).",
        fileBases.ptr(), nullptr);
    errorTypes.notReached = PyErr_NewExceptionWithDoc("liftwise.TargetNotReached",
        "Modify did not reach its targets: the values the section reached (.alpha0, "
        ".alpha0_deg, .cm0) and, where two shapes could not reach them at all, the press "
        "(.press).",
        errorTypes.error, nullptr);
    m.add_object("Error", py::handle(errorTypes.error));
    m.add_object("RefusedError", py::handle(errorTypes.refused));
    m.add_object("FileError", py::handle(errorTypes.file));
    m.add_object("TargetNotReached", py::handle(errorTypes.notReached));

    defineCoefficients(m);
    defineGeometry(m);
    defineExtrapolated(m);
    defineAnalysis(m);
    defineSweep(m);
    defineSection(m);

    m.def(
        "open", [](const py::object &path) { return opened(pathArgument(path)); }, "path"_a,
        R"doc(The section in the airfoil file at path (str, bytes or a path object): a plain
or a Lednicer file, as the window opens it. RefusedError with the reader's reason
for a file it refuses, FileError for one that cannot be read (a pipe or a device
is not opened).)doc");
    m.def(
        "naca",
        [](const std::string &digits, int points, bool closedTe) {
            return named(NacaFamily::fromDigits(QString::fromStdString(digits)), points, closedTe);
        },
        "digits"_a, py::kw_only(), "points"_a = NacaFamily::DefaultPoints, "closed_te"_a = false,
        R"doc(A NACA 4-digit ("2412") or 5-digit section ("23012", reflexed "23112") at
points (odd, 5 to 999), from its closed form, as liftwise-cli naca writes it;
closed_te closes the trailing edge.)doc");
    m.def(
        "meanline",
        [](double a, double cl, double thickness, int points, bool closedTe) {
            using namespace NacaFamily;
            const double loadEnd = checked(
                "a", a, LoadEndRange.minimum, LoadEndRange.maximum, LoadEndRange.decimals, true);
            const double designLift = checked("cl", cl, DesignLiftRange.minimum,
                DesignLiftRange.maximum, DesignLiftRange.decimals, true);
            const double percent = Format::rounded(100 * thickness, ThicknessRange.decimals);
            if (!std::isfinite(thickness) || !(percent >= ThicknessRange.minimum)
                || !(percent <= ThicknessRange.maximum))
                valueError(QStringLiteral("thickness takes a number from %1 (chords)")
                               .arg(Format::range(ThicknessRange.minimum / 100,
                                   ThicknessRange.maximum / 100, ThicknessRange.decimals + 2)));
            return named(aSeries(loadEnd, designLift, percent), points, closedTe);
        },
        py::kw_only(), "a"_a = NacaFamily::DefaultLoadEnd, "cl"_a = NacaFamily::DefaultDesignLift,
        "thickness"_a = NacaFamily::DefaultThickness / 100, "points"_a = NacaFamily::DefaultPoints,
        "closed_te"_a = false,
        R"doc(A section on a NACA a-series mean line: uniform load from the leading edge to
a (0 to 1), falling linearly to the trailing edge, for the design lift cl (-2 to
2), with the 4-digit thickness law at thickness (a fraction of the chord, 0 to
0.3999; 0 the mean line alone), as liftwise-cli meanline writes it.)doc");
    m.def(
        "batch",
        [](const py::iterable &items, int panels, double le, double te, std::optional<int> jobs) {
            const Paneling at = paneling(panels, le, te);
            const int threads
                = jobs ? checkedCount("jobs", *jobs, 1, 256) : QThread::idealThreadCount();
            std::vector<ScriptSection::BatchItem> list;
            for (const py::handle item : items) {
                if (py::isinstance<ScriptSection>(item))
                    list.push_back({QString(), py::cast<SectionPtr>(item)});
                else
                    list.push_back({pathArgument(item), nullptr});
            }
            std::vector<ScriptSection::BatchResult> results;
            {
                py::gil_scoped_release unlocked;
                results = ScriptSection::batch(list, at, threads);
            }
            py::list done;
            for (size_t i = 0; i < results.size(); ++i) {
                if (results[i].refusal)
                    done.append(refusalError(results[i].refusal, list[i].path));
                else
                    done.append(py::cast(std::move(results[i].analysis)));
            }
            return done;
        },
        "items"_a, py::kw_only(), "panels"_a = Paneling::reference().panels,
        "le"_a = Paneling::reference().leDensity, "te"_a = Paneling::reference().teDensity,
        "jobs"_a = py::none(),
        R"doc(Analyses of many files (paths) or sections at one paneling, jobs at once (the
number of cores unless given), all sharing one inversion of each paneling, as
liftwise-cli batch runs them. A list in the order given: an Analysis for each
section, and for a file that is refused the exception that says why
(RefusedError or FileError), not raised.)doc");
}
