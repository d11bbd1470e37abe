#include "sectiondialog.h"

#include "diagramscene.h"
#include "filesystem.h"
#include "format.h"
#include "numberfield.h"
#include "study.h"

#include <QtWidgets>

#include <cmath>

namespace {

using Op = SectionOperation;

// "alpha0 -2.077 deg, cm0 -0.0533", as the panels give them.
QString zeroLiftText(double alpha0, double cm0)
{
    return QStringLiteral("alpha0 %1 deg, cm0 %2")
        .arg(Format::fixed(degrees(alpha0), 3), Format::fixed(cm0, 4));
}

// The fields show per cent of the chord where the operation takes chords.
bool inPerCent(Op::Kind kind) { return kind == Op::Flap || kind == Op::CamberAt; }

} // namespace

SectionDialog::SectionDialog(
    Op::Kind kind, const Study *study, DiagramScene *scene, QWidget *parent)
    : QDialog(parent)
    , kind(kind)
    , study(study)
    , scene(scene)
{
    setWindowTitle(Op::name(kind));
    auto *layout = new QFormLayout(this);
    const Op::Range r = Op::range(kind);
    const SectionGeometry &g = study->section()->geometry;
    switch (kind) {
    case Op::Flap:
        addNumber(tr("hinge [% chord]"), {100 * r.minimum, 100 * r.maximum}, 75, 1, 1);
        addNumber(tr("deflection [deg], trailing edge down"), Op::deflectionRange(), 5, 2, 1);
        break;
    case Op::ScaleCamber:
        addNumber(tr("camber factor"), r, 1, 3, 0.1);
        break;
    case Op::ScaleThickness:
        addNumber(tr("thickness factor"), r, 1, 3, 0.1);
        break;
    case Op::CamberAt:
        addNumber(tr("largest camber at [% chord]"), {100 * r.minimum, 100 * r.maximum},
            g.maxCamber == 0.0 ? 40 : 100 * g.maxCamberX, 1, 1);
        break;
    case Op::TrailingEdgeGap:
        addNumber(tr("gap [% chord]"), r, 100 * g.trailingEdgeGap, 2, 0.05);
        break;
    case Op::Repanel:
        addNumber(tr("points"), r, 160, 0, 1);
        break;
    case Op::Blend: {
        otherName = new QLabel(tr("none chosen"));
        auto *choose = new QPushButton(tr("Choose..."));
        connect(choose, &QPushButton::clicked, this, &SectionDialog::askForOther);
        auto *row = new QHBoxLayout;
        row->addWidget(otherName, 1);
        row->addWidget(choose);
        layout->addRow(tr("other section"), row);
        addNumber(tr("weight of the other"), r, 0.5, 3, 0.05);
        break;
    }
    }
    for (QDoubleSpinBox *field : numbers)
        layout->addRow(field->accessibleName(), field);
    result = new QLabel;
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result->setAccessibleName(tr("result"));
    layout->addRow(result);
    layout->addRow(new QLabel(tr("The result is drawn dashed in the diagram.")));
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
    showResult();
}

SectionDialog::~SectionDialog() { scene->setPreview({}, {}); }

QDoubleSpinBox *SectionDialog::addNumber(
    const QString &label, Op::Range range, double value, int decimals, double step)
{
    auto *field = new DecimalField;
    field->setDecimals(decimals);
    field->setRange(range.minimum, range.maximum);
    field->setSingleStep(step);
    field->setValue(value);
    field->setAccessibleName(label);
    field->setToolTip(Format::range(range.minimum, range.maximum, decimals));
    // Every step previews; a typed value once it is finished.
    field->setKeyboardTracking(false);
    connect(field, &QDoubleSpinBox::valueChanged, this, &SectionDialog::showResult);
    numbers << field;
    return field;
}

Op SectionDialog::operation() const
{
    Op operation;
    operation.kind = kind;
    operation.value = numbers.first()->value() / (inPerCent(kind) ? 100.0 : 1.0);
    if (kind == Op::Flap)
        operation.deflectionDegrees = numbers.at(1)->value();
    if (other) {
        operation.other = other->section()->airfoil;
        operation.otherTitle = Format::printable(other->data().title);
    }
    return operation;
}

QString SectionDialog::resultText() const { return result->text(); }

void SectionDialog::showResult()
{
    const Op op = operation();
    const Study::Section &now = *study->section();
    const SectionPoints points = op.isValid() ? op.apply(*now.airfoil) : SectionPoints();
    scene->setPreview(points.x, points.y);
    // The result as a design step makes it: the section a save writes, read as an open reads
    // it, the operation applied and read back.
    Study made(study->inverses());
    QBuffer text;
    text.setData(study->airfoilText());
    text.open(QIODevice::ReadOnly);
    Study::Refusal refusal = made.load(&text, study->path(), Paneling::reference());
    if (!refusal)
        refusal = made.design(op);
    QStringList lines;
    if (!op.isValid()) {
        lines << (kind == Op::Blend && !other ? tr("Choose the other section.")
                                              : tr("The values lie outside their ranges."));
    } else if (refusal) {
        lines << tr("The result would be refused: %1.").arg(refusal.reason);
    } else {
        const Coefficients &before = now.referenceCoefficients;
        const Coefficients &after = made.referenceCoefficients();
        lines << tr("now: %1").arg(zeroLiftText(before.alpha0, before.cm0))
              << tr("after: %1").arg(zeroLiftText(after.alpha0, after.cm0));
        if (kind == Op::Flap) {
            // The flapped section levels its own chord; the change is told in the unflapped
            // chord's frame, as theory gives it.
            const ZeroLift unflapped = inFileFrame(*made.airfoil(), {after.alpha0, after.cm0});
            const ZeroLift glauert = glauertFlapChange(op.value, radians(op.deflectionDegrees));
            lines.last() += tr(", from its own chord, tilted %1 deg")
                                .arg(Format::fixed(degrees(made.airfoil()->chordTilt()), 2));
            lines << tr("change, unflapped chord: %1")
                         .arg(zeroLiftText(
                             unflapped.alpha0 - before.alpha0, unflapped.cm0 - before.cm0))
                  << tr("Glauert: %1").arg(zeroLiftText(glauert.alpha0, glauert.cm0));
        }
        lines << tr("at %1 panels").arg(Paneling::reference().panels);
    }
    result->setText(lines.join(QLatin1Char('\n')));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(op.isValid() && !refusal);
}

bool SectionDialog::chooseOther(const QString &path)
{
    auto next = std::make_shared<Study>(study->inverses());
    // A pipe or a device would block the window until somebody writes to it.
    const Study::Refusal refusal = FileSystem::kind(path) == FileSystem::Kind::Special
        ? Study::Refusal {Study::Refusal::Unreadable, FileSystem::notRegular()}
        : next->loadFile(path, Paneling::reference());
    if (refusal) {
        QMessageBox::warning(this, tr("Liftwise"), refusal.message(path));
        return false;
    }
    other = std::move(next);
    otherName->setText(Format::printable(other->data().title));
    showResult();
    return true;
}

void SectionDialog::askForOther()
{
    QSettings settings;
    const QString path = QFileDialog::getOpenFileName(this, tr("Blend with"),
        settings.value("openFolder", QStringLiteral(".")).toString(),
        tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (!path.isEmpty())
        chooseOther(path);
}
