#include "newsectiondialog.h"

#include "format.h"
#include "numberfield.h"

#include <QtWidgets>

#include <type_traits>

NewSectionDialog::NewSectionDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("New Section"));
    createFields();
    problemLabel = new QLabel(this);
    problemLabel->setWordWrap(true);
    problemLabel->setAccessibleName(tr("why no section"));
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->addLayout(formLayout);
    layout->addWidget(problemLabel);
    layout->addWidget(buttonBox);
    showFamily(Digits);
    // The digits are what a user types first: over the proposal, which a key replaces.
    digitsEdit->setFocus();
    digitsEdit->selectAll();
}

QByteArray NewSectionDialog::text() const
{
    return NacaFamily::fileText(
        section, pointsSpinBox->value(), closedTrailingEdgeBox->isChecked());
}

QString NewSectionDialog::title() const { return section.title; }

void NewSectionDialog::keyPressEvent(QKeyEvent *event)
{
    // The Enter a field refused its typed value on accepts nothing, as it finishes no edit: the
    // dialog stays, saying what the field takes.
    if (refusing && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        return;
    QDialog::keyPressEvent(event);
}

void NewSectionDialog::createFields()
{
    formLayout = new QFormLayout;
    // Each field is read by screen readers by its label; a typed value a field refuses is named
    // with the field's range where the dialog says why it makes no section.
    const auto addRow = [this](const QString &label, QWidget *field, const QString &description) {
        field->setAccessibleName(label);
        field->setToolTip(description);
        field->setAccessibleDescription(description);
        formLayout->addRow(label, field);
    };
    const auto watchRefusals = [this](auto *field) {
        connect(field, &std::remove_pointer_t<decltype(field)>::refused, this,
            [this, field](const QString &range) {
                problemLabel->setText(tr("%1: %2").arg(field->accessibleName(), range));
                refusing = true;
                QTimer::singleShot(0, this, [this] { refusing = false; });
            });
    };

    familyBox = new QComboBox(this);
    familyBox->addItems({tr("NACA 4- or 5-digit"), tr("NACA a-series mean line")});
    addRow(tr("Family"), familyBox, tr("The family whose closed forms give the section"));
    connect(familyBox, &QComboBox::currentIndexChanged, this, &NewSectionDialog::showFamily);

    digitsEdit = new QLineEdit(QStringLiteral("2412"), this);
    digitsEdit->setPlaceholderText(tr("2412, 23012, 23112"));
    addRow(tr("Digits"), digitsEdit,
        tr("Four digits: camber, its position, thickness; or five: design lift, position, "
           "reflex, thickness"));
    connect(digitsEdit, &QLineEdit::textChanged, this, &NewSectionDialog::updateSection);

    const auto createDecimalField = [&](const QString &label, const QString &description,
                                        const NacaFamily::Range &range, double value, double step) {
        DecimalField *field = new DecimalField(this);
        field->setRange(range.minimum, range.maximum);
        field->setDecimals(range.decimals);
        field->setSingleStep(step);
        field->setValue(value);
        addRow(label, field,
            description.arg(Format::range(range.minimum, range.maximum, range.decimals)));
        watchRefusals(field);
        connect(field, &QDoubleSpinBox::valueChanged, this, &NewSectionDialog::updateSection);
        return field;
    };
    loadEndSpinBox = createDecimalField(tr("a"),
        tr("Where the uniform load ends, in chords, %1 (1: uniform to the trailing edge)"),
        NacaFamily::LoadEndRange, NacaFamily::DefaultLoadEnd, 0.1);
    designLiftSpinBox = createDecimalField(tr("Design cl"), tr("The design lift coefficient, %1"),
        NacaFamily::DesignLiftRange, NacaFamily::DefaultDesignLift, 0.1);
    thicknessSpinBox = createDecimalField(tr("Thickness (%)"),
        tr("The thickness in per cent of the chord, %1 (0: the mean line alone)"),
        NacaFamily::ThicknessRange, NacaFamily::DefaultThickness, 1.0);

    pointsSpinBox = new WholeNumberField(this);
    pointsSpinBox->setRange(NacaFamily::MinPoints, NacaFamily::MaxPoints);
    // From an odd count, the arrows keep it odd.
    pointsSpinBox->setSingleStep(2);
    pointsSpinBox->setValue(NacaFamily::DefaultPoints);
    addRow(tr("Number of points"), pointsSpinBox,
        tr("How many points the section's file holds, %1").arg(NacaFamily::pointCountRule()));
    watchRefusals(pointsSpinBox);
    connect(pointsSpinBox, &QSpinBox::valueChanged, this, &NewSectionDialog::updateSection);

    closedTrailingEdgeBox = new QCheckBox(tr("Closed trailing edge"), this);
    const QString closing
        = tr("The thickness law with the coefficient -0.1036, which closes the trailing edge");
    closedTrailingEdgeBox->setAccessibleName(closedTrailingEdgeBox->text());
    closedTrailingEdgeBox->setToolTip(closing);
    closedTrailingEdgeBox->setAccessibleDescription(closing);
    formLayout->addRow(closedTrailingEdgeBox);
}

void NewSectionDialog::showFamily(int family)
{
    formLayout->setRowVisible(digitsEdit, family == Digits);
    for (QWidget *field : {loadEndSpinBox, designLiftSpinBox, thicknessSpinBox})
        formLayout->setRowVisible(field, family == ASeries);
    // The dialog fits the rows of the family on show, growing and shrinking with them.
    adjustSize();
    updateSection();
}

void NewSectionDialog::updateSection()
{
    section = familyBox->currentIndex() == ASeries ? NacaFamily::aSeries(
                  loadEndSpinBox->value(), designLiftSpinBox->value(), thicknessSpinBox->value())
                                                   : NacaFamily::fromDigits(digitsEdit->text());
    QString problem = section.problem;
    if (problem.isEmpty() && !NacaFamily::isPointCount(pointsSpinBox->value()))
        problem
            = tr("%1 takes %2").arg(pointsSpinBox->accessibleName(), NacaFamily::pointCountRule());
    problemLabel->setText(problem);
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}
