// The central area of the main window: the diagram and its plots, the panels and the fields.

#include "mainwindow.h"

#include "convergencechart.h"
#include "diagramscene.h"
#include "diagramview.h"
#include "loadingchart.h"
#include "modification.h"
#include "numberfield.h"
#include "report.h"
#include "studystep.h"

#include <QtWidgets>

namespace {

// The text a tool tip shows and a screen reader reads as the widget's description.
void describe(QWidget *widget, const QString &text)
{
    widget->setToolTip(text);
    widget->setAccessibleDescription(text);
}

// A number field beside its label in column 1 of row; screen readers read it by the label's
// text. A typed value it refuses is named in the status bar with the field's range.
template <typename Field>
Field *addField(QGridLayout *layout, int row, const QString &label, const QString &description,
    double minimum, double maximum, double step, QStatusBar *status)
{
    layout->addWidget(new QLabel(label), row, 1);
    Field *box = new Field;
    box->setRange(minimum, maximum);
    box->setSingleStep(step);
    box->setAccessibleName(label);
    describe(box, description);
    // A typed value is the field's once the edit is finished, not key by key: one refused
    // leaves the value from before the edit.
    box->setKeyboardTracking(false);
    QObject::connect(box, &Field::refused, status, [status, label](const QString &range) {
        status->showMessage(MainWindow::tr("%1: %2").arg(label, range), 5000);
    });
    layout->addWidget(box, row, 2);
    return box;
}

// What each labelled line of the panels means, as the README says it.
QString meaningOf(const QString &line)
{
    static const QHash<QString, const char *> meanings {
        {"cl0", QT_TRANSLATE_NOOP("MainWindow", "lift coefficient at zero incidence")},
        {"alpha0", QT_TRANSLATE_NOOP("MainWindow", "zero-lift angle")},
        {"cm0", QT_TRANSLATE_NOOP("MainWindow", "moment coefficient about the quarter chord")},
        {"d(cl)/da",
            QT_TRANSLATE_NOOP("MainWindow", "lift slope, per radian (2π for this method)")},
        {"alpha(sf)",
            QT_TRANSLATE_NOOP(
                "MainWindow", "angle of smooth leading-edge entry (the \"ideal\" angle)")},
        {"cl(sf)",
            QT_TRANSLATE_NOOP(
                "MainWindow", "lift coefficient at the angle of smooth leading-edge entry")},
        {"width", QT_TRANSLATE_NOOP("MainWindow", "each panel's width, in chords")},
        {"angle [deg]",
            QT_TRANSLATE_NOOP("MainWindow",
                "each panel's angle, positive where the camber line falls towards the "
                "trailing edge")},
    };
    // A coefficient's label stands before " = "; the results' labels fill their first 11
    // characters.
    const QString label = line.contains(QLatin1String(" = "))
        ? line.section(QLatin1String(" = "), 0, 0)
        : line.left(11).trimmed();
    const char *meaning = meanings.value(label);
    return meaning ? MainWindow::tr(meaning) : QString();
}

// The meanings of the lines, one a line, for a screen reader.
QString meaningsOf(const QStringList &lines)
{
    QStringList described;
    for (const QString &line : lines)
        described << line.section(QLatin1String(" = "), 0, 0).trimmed() + QLatin1String(": ")
                + meaningOf(line);
    return described.join(QLatin1Char('\n'));
}

// A read-only text panel that asks for the room its longest text needs, so that the window
// opens with it readable whole, but takes less on a small screen, with scroll bars. Over a
// line of a coefficient, or of the panels' widths or angles, a tool tip says what it means.
class TextPanel : public QTextEdit
{
public:
    QSize sizeHint() const override { return wanted.isValid() ? wanted : QTextEdit::sizeHint(); }
    QSize wanted;

protected:
    bool viewportEvent(QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QTextEdit::viewportEvent(event);
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString meaning = meaningOf(cursorForPosition(help->pos()).block().text());
        if (meaning.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), meaning, viewport());
        return true;
    }
};

TextPanel *createTextPanel(const QString &name)
{
    TextPanel *text = new TextPanel;
    text->setReadOnly(true);
    text->setPlainText(QString());
    text->setAccessibleName(name);
    return text;
}

// The size a text panel needs to show the lines whole, without scrolling: laid out as the panel
// lays them out, since a font's line spacing rounded to pixels is not the height of its lines.
QSize textSize(const QTextEdit *text, const QStringList &lines)
{
    QTextDocument probe;
    probe.setDefaultFont(text->font());
    probe.setDocumentMargin(text->document()->documentMargin());
    probe.setPlainText(lines.join(QLatin1Char('\n')));
    // The frame on either side, and a pixel for rounding.
    const int frame = 2 * text->frameWidth() + 1;
    return QSize(qCeil(probe.idealWidth() + 2 * probe.documentMargin()) + frame,
        qCeil(probe.size().height()) + frame);
}

// The plot in a scroll area, which scrolls where the tab is too small to read the plot's labels.
QScrollArea *scrolled(QWidget *plot)
{
    QScrollArea *area = new QScrollArea;
    // The scroll area takes a widget's minimum size, not its hint.
    plot->setMinimumSize(plot->minimumSizeHint());
    area->setWidget(plot);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

} // namespace

void MainWindow::createGridGroupBox()
{
    gridGroupBox = new QGroupBox;
    gridGroupBox->setAccessibleName(tr("airfoil study"));

    scene = new DiagramScene(study, this);
    view = new DiagramView(scene);
    view->setAccessibleName(tr("diagram"));
    createDiagramTabs();
    fileText = createTextPanel(tr("file"));
    fileText->setAccessibleDescription(meaningsOf(Report::coefficientLines(Coefficients())));
    upperSplitter = new QSplitter(Qt::Horizontal);
    upperSplitter->addWidget(diagramTabs);
    upperSplitter->addWidget(fileText);

    createPanelingGroup();
    createModifyGroup();
    lowerSplitter = new QSplitter(Qt::Horizontal);
    lowerSplitter->addWidget(panelingGroupBox);
    lowerSplitter->addWidget(modifyGroupBox);
    // The two halves keep their columns in line.
    connect(upperSplitter, &QSplitter::splitterMoved, lowerSplitter,
        [this] { lowerSplitter->setSizes(upperSplitter->sizes()); });
    connect(lowerSplitter, &QSplitter::splitterMoved, upperSplitter,
        [this] { upperSplitter->setSizes(lowerSplitter->sizes()); });

    resultText = createTextPanel(tr("results"));
    resultText->setAccessibleDescription(
        meaningsOf({QStringLiteral("width"), QStringLiteral("angle [deg]")}));
    QFont font(QStringLiteral("Courier"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    resultText->setFont(font);
    // Each panel keeps its column: the lines scroll sideways, they never wrap.
    resultText->setLineWrapMode(QTextEdit::NoWrap);
    // Its lines are replaced in place at each press, which would otherwise pile up as undo steps.
    resultText->document()->setUndoRedoEnabled(false);
    resultText->setFixedHeight(textSize(resultText, {QString(), QString()}).height()
        + resultText->horizontalScrollBar()->sizeHint().height());
    QWidget *lower = new QWidget;
    QVBoxLayout *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(lowerSplitter);
    lowerLayout->addWidget(resultText);

    mainSplitter = new QSplitter(Qt::Vertical);
    mainSplitter->addWidget(upperSplitter);
    mainSplitter->addWidget(lower);
    // Room beyond what the panels and fields ask for goes to the diagram; none is hidden whole.
    for (QSplitter *splitter : {mainSplitter, upperSplitter, lowerSplitter}) {
        splitter->setStretchFactor(0, 1);
        splitter->setStretchFactor(1, 0);
        splitter->setChildrenCollapsible(false);
    }
    QVBoxLayout *layout = new QVBoxLayout;
    layout->addWidget(mainSplitter);
    gridGroupBox->setLayout(layout);
}

void MainWindow::createDiagramTabs()
{
    loadingChart = new LoadingChart(study);
    convergenceChart = new ConvergenceChart(study);
    diagramTabs = new QTabWidget;
    diagramTabs->setAccessibleName(tr("diagram and plots"));
    loadingChart->setAccessibleName(tr("Loading"));
    convergenceChart->setAccessibleName(tr("Convergence"));
    const QList<QPair<QWidget *, QString>> tabs {{view, tr("Airfoil")},
        {scrolled(loadingChart), tr("Loading")}, {scrolled(convergenceChart), tr("Convergence")}};
    for (const auto &[widget, name] : tabs)
        diagramTabs->tabBar()->setAccessibleTabName(diagramTabs->addTab(widget, name), name);
    connect(diagramTabs, &QTabWidget::currentChanged, this, &MainWindow::diagramTabChanged);
}

void MainWindow::createPanelingGroup()
{
    panelingGroupBox = new QGroupBox;
    panelingGroupBox->setAccessibleName(tr("paneling controls"));
    QGridLayout *layout = new QGridLayout;

    const Paneling start;
    panelsSpinBox = addField<WholeNumberField>(layout, 1, tr("number of panels"),
        tr("How many panels the camber line is cut into, 3 to 999"), Paneling::MinPanels,
        Paneling::MaxPanels, 1, statusBar());
    panelsSpinBox->setValue(start.panels);
    leDensitySpinBox = addField<DecimalField>(layout, 2, tr("leading edge density"),
        tr("How strongly the panels crowd towards the leading edge, 1 to 10"), Paneling::MinDensity,
        Paneling::MaxDensity, Paneling::DensityStep, statusBar());
    leDensitySpinBox->setValue(start.leDensity);
    teDensitySpinBox = addField<DecimalField>(layout, 3, tr("trailing edge density"),
        tr("How strongly the panels crowd towards the trailing edge, 1 to 10"),
        Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityStep, statusBar());
    teDensitySpinBox->setValue(start.teDensity);
    // Every step of a value, by arrow, wheel or key, recomputes; typing only once finished.
    const QList<QAbstractSpinBox *> fields = {panelsSpinBox, leDensitySpinBox, teDensitySpinBox};
    for (QAbstractSpinBox *box : fields) {
        connect(box, &QAbstractSpinBox::editingFinished, &panelingStep,
            [this] { panelingEditFinished(); });
    }
    const auto stepped = [this] { panelingStepped(); };
    connect(panelsSpinBox, &QSpinBox::valueChanged, &panelingStep, stepped);
    connect(leDensitySpinBox, &QDoubleSpinBox::valueChanged, &panelingStep, stepped);
    connect(teDensitySpinBox, &QDoubleSpinBox::valueChanged, &panelingStep, stepped);

    panelingText = createTextPanel(tr("paneling"));
    panelingText->setAccessibleDescription(meaningsOf(Report::coefficientLines(Coefficients())));
    // The longest report of a Modify press, with the point count and coefficients below it,
    // is read whole; its lines never wrap.
    panelingText->setLineWrapMode(QTextEdit::NoWrap);
    static_cast<TextPanel *>(panelingText)->wanted = textSize(panelingText,
        Report::reshapingLines(CamberReshaping())
            + QStringList {Report::reshapedReferenceLine(Coefficients()), QString()}
            + Report::coefficientLines(Coefficients()));
    layout->addWidget(panelingText, 1, 3, 4, 1);

    layout->setColumnMinimumWidth(1, 80);
    layout->setColumnMinimumWidth(2, 80);
    layout->setColumnMinimumWidth(3, 120);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(3, 1);
    layout->setRowStretch(4, 10);
    // The fields keep their width; the panel takes any more.
    layout->setColumnStretch(3, 1);
    panelingGroupBox->setLayout(layout);
}

void MainWindow::createModifyGroup()
{
    modifyGroupBox = new QGroupBox;
    modifyGroupBox->setAccessibleName(tr("modification controls"));
    QGridLayout *layout = new QGridLayout;

    alpha0SpinBox = addField<DecimalField>(layout, 1, tr("alpha0 [deg]"),
        tr("The zero-lift angle Modify reshapes the paneled line towards, in degrees, -45 to 45"),
        -Targets::MaxAlpha0Degrees, Targets::MaxAlpha0Degrees, Targets::Alpha0StepDegrees,
        statusBar());
    alpha0SpinBox->setDecimals(Targets::Decimals);
    cm0SpinBox = addField<DecimalField>(layout, 2, tr("cm0"),
        tr("The moment coefficient about the quarter chord Modify reshapes the paneled line "
           "towards, -1 to 1"),
        -Targets::MaxCm0, Targets::MaxCm0, Targets::Cm0Step, statusBar());
    cm0SpinBox->setDecimals(Targets::Decimals);
    // A target the user sets is a step of theirs, undone as any other; one field's changes in
    // a row are one step.
    for (const auto &[field, box, shown] :
        {std::tuple {0, alpha0SpinBox, &shownAlpha0}, std::tuple {1, cm0SpinBox, &shownCm0}}) {
        const QString text = field == 0 ? tr("Target alpha0") : tr("Target cm0");
        connect(box, &QDoubleSpinBox::valueChanged, &panelingStep,
            [this, field, box, shown, text](double value) {
                const double before = *shown;
                *shown = value;
                if (settingFields || !study->isLoaded())
                    return;
                undoStack.push(new TargetStep(text, field, before, value, [=](double v) {
                    settingFields = true;
                    box->setValue(v);
                    settingFields = false;
                    *shown = box->value();
                }));
            });
    }

    modifyButton = new QPushButton(tr("Modify"));
    describe(modifyButton,
        tr("Reshape the paneled camber line towards the targets' zero-lift angle and moment"));
    connect(modifyButton, &QPushButton::pressed, this, &MainWindow::doModify);
    // Nothing to reshape before a file is loaded.
    modifyButton->setEnabled(false);
    // With the focus on the button, Return and Enter press it as Space does, once per key press.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        QShortcut *shortcut = new QShortcut(
            key, modifyButton, modifyButton, &QPushButton::animateClick, Qt::WidgetShortcut);
        shortcut->setAutoRepeat(false);
    }
    layout->addWidget(modifyButton, 3, 2);

    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(3, 1);
    layout->setRowStretch(4, 10);
    layout->setColumnStretch(1, 10);
    layout->setColumnStretch(2, 10);
    modifyGroupBox->setLayout(layout);
}
