#include "ribsdialog.h"

#include "sheetpreview.h"
#include "study.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *numberField(
    double minimum, double maximum, int decimals, const QString &suffix, QWidget *parent)
{
    auto *field = new QDoubleSpinBox(parent);
    field->setRange(minimum, maximum);
    field->setDecimals(decimals);
    field->setSuffix(suffix);
    field->setKeyboardTracking(false);
    return field;
}

// The sheet sizes offered, as SheetSize::parse takes them; the last takes its fields' size.
const QStringList SheetNames {QStringLiteral("A4"), QStringLiteral("A3"), QStringLiteral("Custom")};

} // namespace

RibsDialog::RibsDialog(const Study *study, QWidget *parent)
    : QDialog(parent)
    , study(study)
    , tip(std::make_unique<Study>())
{
    setWindowTitle(tr("Export Ribs"));
    createFields();
    readSettings();
    loadTipFile();
    updateRibs();
}

void RibsDialog::createFields()
{
    const double chordMin = ContourTemplate::MinChord;
    const double chordMax = ContourTemplate::MaxChord;
    const QString mm = tr(" mm");
    rootField = numberField(chordMin, chordMax, ContourTemplate::ChordDecimals, mm, this);
    tipField = numberField(chordMin, chordMax, ContourTemplate::ChordDecimals, mm, this);
    spanField = numberField(0, WingPlan::MaxSpan, 1, mm, this);
    countField = new QSpinBox(this);
    countField->setRange(1, WingPlan::MaxCount);
    countField->setKeyboardTracking(false);
    sweepField = numberField(-WingPlan::MaxSweep, WingPlan::MaxSweep, 1, tr("°"), this);
    washoutField = numberField(-WingPlan::MaxWashout, WingPlan::MaxWashout, 2, tr("°"), this);
    tipFileEdit = new QLineEdit(this);
    tipFileEdit->setPlaceholderText(tr("the root's section all along"));
    auto *browse = new QPushButton(tr("Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &RibsDialog::chooseTipFile);
    auto *tipRow = new QHBoxLayout;
    tipRow->addWidget(tipFileEdit);
    tipRow->addWidget(browse);

    sparsEdit = new QLineEdit(this);
    sparsEdit->setPlaceholderText(tr("25%,6,5,top; 60,4,3,bottom"));
    sparsEdit->setToolTip(tr("Spar slots, separated by semicolons: the middle at X from the "
                             "leading edge (in % of the chord, or in mm behind the root's), "
                             "W wide, D deep, into the top or the bottom"));
    sheetingField = numberField(0, RibFeatures::MaxSheeting, 2, mm, this);
    sheetingField->setSpecialValueText(tr("none"));
    holeField = numberField(0, RibFeatures::MaxSize, 2, mm, this);
    holeField->setSpecialValueText(tr("none"));
    holeAtField = numberField(1, 99, 1, tr(" %"), this);
    holeLengthField = numberField(0, RibFeatures::MaxSize, 2, mm, this);
    holeLengthField->setSpecialValueText(tr("round"));
    webField = numberField(Spar::MinLength, RibFeatures::MaxSize, 2, mm, this);
    registrationField = numberField(-1, 100, 1, tr(" %"), this);
    registrationField->setSpecialValueText(tr("none"));
    mirrorBox = new QCheckBox(tr("A mirrored copy of each rib, for the left wing"), this);
    sheetBox = new QComboBox(this);
    sheetBox->addItems(SheetNames);
    sheetWidthField = numberField(SheetSize::MinSide, SheetSize::MaxSide, 0, mm, this);
    sheetHeightField = numberField(SheetSize::MinSide, SheetSize::MaxSide, 0, mm, this);
    auto *sheetRow = new QHBoxLayout;
    sheetRow->addWidget(sheetBox);
    sheetRow->addWidget(sheetWidthField);
    sheetRow->addWidget(new QLabel(tr("×"), this));
    sheetRow->addWidget(sheetHeightField);

    // Named for the tests and for accessibility tools.
    const QList<QPair<QWidget *, const char *>> names {{rootField, "root"}, {tipField, "tip"},
        {spanField, "span"}, {countField, "count"}, {sweepField, "sweep"},
        {washoutField, "washout"}, {tipFileEdit, "tipFile"}, {sparsEdit, "spars"},
        {sheetingField, "sheeting"}, {holeField, "hole"}, {holeAtField, "holeAt"},
        {holeLengthField, "holeLength"}, {webField, "web"}, {registrationField, "registration"},
        {mirrorBox, "mirror"}, {sheetBox, "sheet"}, {sheetWidthField, "sheetWidth"},
        {sheetHeightField, "sheetHeight"}};
    for (const auto &[widget, name] : names)
        widget->setObjectName(QLatin1String(name));

    auto *form = new QFormLayout;
    form->addRow(tr("Root chord:"), rootField);
    form->addRow(tr("Tip chord:"), tipField);
    form->addRow(tr("Span:"), spanField);
    form->addRow(tr("Ribs:"), countField);
    form->addRow(tr("Leading-edge sweep:"), sweepField);
    form->addRow(tr("Washout at the tip:"), washoutField);
    form->addRow(tr("Tip section:"), tipRow);
    form->addRow(tr("Spars:"), sparsEdit);
    form->addRow(tr("Sheeting:"), sheetingField);
    form->addRow(tr("Lightening hole:"), holeField);
    form->addRow(tr("Hole at:"), holeAtField);
    form->addRow(tr("Hole length:"), holeLengthField);
    form->addRow(tr("Web round the hole:"), webField);
    form->addRow(tr("Crosshair at:"), registrationField);
    form->addRow(QString(), mirrorBox);
    form->addRow(tr("Sheet:"), sheetRow);

    preview = new SheetPreview(this);
    statusLabel = new QLabel(this);
    statusLabel->setWordWrap(true);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Export..."));
    connect(buttons, &QDialogButtonBox::accepted, this, &RibsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RibsDialog::reject);

    auto *columns = new QHBoxLayout;
    columns->addLayout(form);
    auto *right = new QVBoxLayout;
    right->addWidget(preview, 1);
    right->addWidget(statusLabel);
    columns->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    for (QDoubleSpinBox *field :
        {rootField, tipField, spanField, sweepField, washoutField, sheetingField, holeField,
            holeAtField, registrationField, sheetWidthField, sheetHeightField})
        connect(field, &QDoubleSpinBox::valueChanged, this, &RibsDialog::updateRibs);
    connect(countField, &QSpinBox::valueChanged, this, &RibsDialog::updateRibs);
    connect(sparsEdit, &QLineEdit::editingFinished, this, &RibsDialog::updateRibs);
    connect(tipFileEdit, &QLineEdit::editingFinished, this, [this] {
        loadTipFile();
        updateRibs();
    });
    connect(mirrorBox, &QCheckBox::toggled, this, &RibsDialog::updateRibs);
    connect(sheetBox, &QComboBox::currentIndexChanged, this, &RibsDialog::updateRibs);
}

void RibsDialog::readSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("ribs"));
    // Setting a field bounds what it is given: a value from another version stays in range.
    rootField->setValue(settings.value(QStringLiteral("root"), 200.0).toDouble());
    tipField->setValue(settings.value(QStringLiteral("tip"), 150.0).toDouble());
    spanField->setValue(settings.value(QStringLiteral("span"), 600.0).toDouble());
    countField->setValue(settings.value(QStringLiteral("count"), 7).toInt());
    sweepField->setValue(settings.value(QStringLiteral("sweep"), 0.0).toDouble());
    washoutField->setValue(settings.value(QStringLiteral("washout"), 0.0).toDouble());
    tipFileEdit->setText(settings.value(QStringLiteral("tipFile")).toString());
    sparsEdit->setText(settings.value(QStringLiteral("spars")).toString());
    sheetingField->setValue(settings.value(QStringLiteral("sheeting"), 0.0).toDouble());
    holeField->setValue(settings.value(QStringLiteral("hole"), 0.0).toDouble());
    holeAtField->setValue(settings.value(QStringLiteral("holeAt"), 40.0).toDouble());
    holeLengthField->setValue(settings.value(QStringLiteral("holeLength"), 0.0).toDouble());
    webField->setValue(settings.value(QStringLiteral("web"), 3.0).toDouble());
    registrationField->setValue(settings.value(QStringLiteral("registration"), -1.0).toDouble());
    mirrorBox->setChecked(settings.value(QStringLiteral("mirror"), false).toBool());
    sheetBox->setCurrentIndex(
        std::max(0, int(SheetNames.indexOf(settings.value(QStringLiteral("sheet")).toString()))));
    sheetWidthField->setValue(settings.value(QStringLiteral("sheetWidth"), 600.0).toDouble());
    sheetHeightField->setValue(settings.value(QStringLiteral("sheetHeight"), 400.0).toDouble());
}

void RibsDialog::writeSettings() const
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("ribs"));
    settings.setValue(QStringLiteral("root"), rootField->value());
    settings.setValue(QStringLiteral("tip"), tipField->value());
    settings.setValue(QStringLiteral("span"), spanField->value());
    settings.setValue(QStringLiteral("count"), countField->value());
    settings.setValue(QStringLiteral("sweep"), sweepField->value());
    settings.setValue(QStringLiteral("washout"), washoutField->value());
    settings.setValue(QStringLiteral("tipFile"), tipFileEdit->text());
    settings.setValue(QStringLiteral("spars"), sparsEdit->text());
    settings.setValue(QStringLiteral("sheeting"), sheetingField->value());
    settings.setValue(QStringLiteral("hole"), holeField->value());
    settings.setValue(QStringLiteral("holeAt"), holeAtField->value());
    settings.setValue(QStringLiteral("holeLength"), holeLengthField->value());
    settings.setValue(QStringLiteral("web"), webField->value());
    settings.setValue(QStringLiteral("registration"), registrationField->value());
    settings.setValue(QStringLiteral("mirror"), mirrorBox->isChecked());
    settings.setValue(QStringLiteral("sheet"), sheetBox->currentText());
    settings.setValue(QStringLiteral("sheetWidth"), sheetWidthField->value());
    settings.setValue(QStringLiteral("sheetHeight"), sheetHeightField->value());
}

void RibsDialog::accept()
{
    if (set.sheetCount() == 0)
        return;
    writeSettings();
    QDialog::accept();
}

void RibsDialog::chooseTipFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Tip section"), tipFileEdit->text(),
        tr("Airfoil files (*.dat *.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    tipFileEdit->setText(path);
    loadTipFile();
    updateRibs();
}

void RibsDialog::loadTipFile()
{
    tipProblem.clear();
    tip = std::make_unique<Study>();
    const QString path = tipFileEdit->text().trimmed();
    if (path.isEmpty())
        return;
    if (const Study::Refusal refusal = tip->loadFile(path))
        tipProblem = refusal.message(path);
}

void RibsDialog::updateRibs()
{
    const bool custom = sheetBox->currentIndex() == SheetNames.size() - 1;
    sheetWidthField->setEnabled(custom);
    sheetHeightField->setEnabled(custom);
    for (QWidget *field : {static_cast<QWidget *>(holeAtField),
             static_cast<QWidget *>(holeLengthField), static_cast<QWidget *>(webField)})
        field->setEnabled(holeField->value() > 0);

    WingPlan plan;
    plan.root = rootField->value();
    plan.tip = tipField->value();
    plan.span = spanField->value();
    plan.count = countField->value();
    plan.sweep = sweepField->value();
    plan.washout = washoutField->value();
    RibFeatures features;
    features.sheeting = sheetingField->value();
    features.hole = holeField->value();
    features.holeAt = holeAtField->value();
    features.holeLength = holeLengthField->value();
    features.web = webField->value();
    features.registration = registrationField->value();
    features.mirror = mirrorBox->isChecked();
    QSizeF sheet(sheetWidthField->value(), sheetHeightField->value());
    if (!custom)
        SheetSize::parse(sheetBox->currentText(), &sheet);

    why.clear();
    for (const QString &text : sparsEdit->text().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        Spar spar;
        if (!Spar::parse(text, &spar) && why.isEmpty())
            why = tr("A spar is X,W,D,top or X,W,D,bottom, not \"%1\"").arg(text.trimmed());
        features.spars << spar;
    }
    if (why.isEmpty())
        why = tipProblem;
    set = RibSet();
    if (why.isEmpty() && study && study->isLoaded())
        set = RibSet::make(
            *study, tip->isLoaded() ? tip.get() : nullptr, plan, features, sheet, &why);
    if (why.isEmpty() && set.sheetCount() == 0)
        why = tr("no airfoil is loaded");
    buttons->button(QDialogButtonBox::Ok)->setEnabled(why.isEmpty());
    statusLabel->setText(why.isEmpty() ? tr("%1 ribs on %2 sheets")
                                             .arg(plan.count * (features.mirror ? 2 : 1))
                                             .arg(set.sheetCount())
                                       : why.left(1).toUpper() + why.mid(1) + QLatin1Char('.'));
    preview->setRibSet(&set);
}
