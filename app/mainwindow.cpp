#include "mainwindow.h"

#include "convergencechart.h"
#include "diagramscene.h"
#include "diagramview.h"
#include "loadingchart.h"
#include "report.h"
#include "study.h"

#include <QtWidgets>

MainWindow::MainWindow()
    : QMainWindow(nullptr)
    , study(new Study(this))
{
    createActions();
    createMenus();
    createStatusBar();
    createGridGroupBox();
    setCentralWidget(gridGroupBox);
    setCurrentFile(QString());
    // A diagram of about 900 pixels across on a common desktop, within the bounds of a smaller
    // screen.
    resize(QSize(1280, 800).boundedTo(screen()->availableSize() * 0.9));
    study->setPaneling(fieldsPaneling());
    scene->show(study);
    loadingChart->showStudy(study);
    convergenceChart->showStudy(study);
    connect(study, &Study::fileChanged, this, &MainWindow::showFile);
    connect(study, &Study::lineChanged, this, &MainWindow::panelingRegenerateDisplay);
}

MainWindow::~MainWindow()
{
    // The field with the focus finishes its edit as the widgets go, after the study is gone.
    for (QAbstractSpinBox *box : findChildren<QAbstractSpinBox *>())
        box->disconnect(this);
    delete scene;
}

void MainWindow::closeEvent(QCloseEvent *event) { event->accept(); }

void MainWindow::open()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open airfoil datafile"),
        QStringLiteral("."), tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (!path.isEmpty())
        loadFile(path);
}

void MainWindow::saveAs()
{
    const QFileInfo loaded(curFile);
    const QString proposed
        = loaded.dir().filePath(loaded.completeBaseName() + QStringLiteral("-modified.dat"));
    const QString path = QFileDialog::getSaveFileName(this, tr("Save airfoil datafile"), proposed,
        tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (path.isEmpty())
        return;
    const QString problem = study->save(path);
    if (!problem.isEmpty()) {
        QMessageBox::warning(
            this, tr("Liftwise"), tr("Cannot write file %1:\n%2.").arg(path, problem));
        return;
    }
    // The loaded file itself now holds the reshaped airfoil: show it as loaded.
    if (QFileInfo(path) == loaded)
        loadFile(path);
    statusBar()->showMessage(tr("File saved"), 2000);
}

void MainWindow::about()
{
    QMessageBox::about(this, tr("About Liftwise"),
        tr("<p><b>Liftwise</b> %1</p>"
           "<p>Liftwise studies the camber line of a two-dimensional airfoil with "
           "thin-airfoil theory. It reads an airfoil coordinate file, extracts the camber line "
           "and computes, by a discrete-vortex method, its lift and moment coefficients and "
           "zero-lift angle: on a fine reference paneling and on the paneling you choose. "
           "Modify reshapes the paneled line towards a target zero-lift angle and moment.</p>"
           "<p>Running on Qt %2.</p>")
            .arg(QStringLiteral(LIFTWISE_VERSION), QString::fromLatin1(qVersion())));
}

void MainWindow::fitAirfoil() { view->fit(scene->contourRect()); }

void MainWindow::loadFile(const QString &path)
{
    // A pipe or a device would block the window until somebody writes to it.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        QMessageBox::warning(this, tr("Liftwise"),
            tr("Cannot read file %1:\n%2.").arg(path, tr("it is not a regular file")));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The study takes the file only if it can be analysed, so a refused file leaves the
    // earlier one loaded and shown.
    const Study::Refusal refusal = study->loadFile(path, fieldsPaneling());
    QApplication::restoreOverrideCursor();
    if (refusal) {
        const QString text = refusal.kind == Study::Refusal::Unreadable
            ? tr("Cannot read file %1:\n%2.")
            : tr("Cannot analyse file %1:\n%2.");
        QMessageBox::warning(this, tr("Liftwise"), text.arg(path, refusal.reason));
        return;
    }
    setCurrentFile(path);
    statusBar()->showMessage(tr("File loaded"), 2000);
}

Paneling MainWindow::fieldsPaneling() const
{
    return Paneling {panelsSpinBox->value(), leDensitySpinBox->value(), teDensitySpinBox->value()};
}

void MainWindow::showFile()
{
    saveAsAct->setEnabled(true);
    fileText->setPlainText(Report::fileLines(*study).join(QLatin1Char('\n')));
    modifyButton->setEnabled(true);
    fitAct->setEnabled(true);
    const Targets targets = study->presetTargets();
    alpha0SpinBox->setValue(degrees(targets.alpha0));
    cm0SpinBox->setValue(targets.cm0);
}

void MainWindow::panelingChanged()
{
    study->setPaneling(fieldsPaneling());
    if (!study->isLoaded()) {
        panelingText->setPlainText(QString());
        resultText->setPlainText(QStringLiteral("no data"));
    }
}

void MainWindow::panelingStepped()
{
    panelingChanged();
    lineFromStep = true;
}

void MainWindow::panelingEditFinished()
{
    // A typed value is taken as a step just before the edit finishes: one rebuild is enough.
    // A finished edit without a change rebuilds the line, which ends the Modify presses.
    if (!lineFromStep)
        panelingChanged();
    lineFromStep = false;
}

void MainWindow::panelingRegenerateDisplay()
{
    panelingText->setPlainText(Report::panelingLines(*study).join(QLatin1Char('\n')));
    resultText->setCurrentFont(resultText->font());
    const QStringList results = Report::resultLines(*study->paneledLine());
    resultText->setPlainText(results.at(0));
    resultText->append(results.at(1));
    // Shown from the first panel on, however far the last line was scrolled.
    resultText->moveCursor(QTextCursor::Start);
    resultText->horizontalScrollBar()->setValue(0);
}

void MainWindow::doModify()
{
    lineFromStep = false;
    study->modify(Targets {radians(alpha0SpinBox->value()), cm0SpinBox->value()});
}

void MainWindow::createActions()
{
    openAct = new QAction(tr("&Open..."), this);
    openAct->setShortcut(QKeySequence(tr("Ctrl+O")));
    openAct->setStatusTip(tr("Open an airfoil *.dat file"));
    connect(openAct, &QAction::triggered, this, &MainWindow::open);

    saveAsAct = new QAction(tr("Save Airfoil As..."), this);
    saveAsAct->setShortcut(QKeySequence(tr("Ctrl+Shift+S")));
    saveAsAct->setStatusTip(tr("Save the airfoil, reshaped by Modify, as an airfoil file"));
    saveAsAct->setEnabled(false);
    connect(saveAsAct, &QAction::triggered, this, &MainWindow::saveAs);

    exitAct = new QAction(tr("E&xit"), this);
    exitAct->setShortcut(QKeySequence(tr("Ctrl+Q")));
    exitAct->setStatusTip(tr("Exit Liftwise"));
    connect(exitAct, &QAction::triggered, this, &QWidget::close);

    fitAct = new QAction(tr("Fit Airfoil"), this);
    fitAct->setShortcut(QKeySequence(tr("Ctrl+0")));
    fitAct->setStatusTip(tr("Scale and centre the airfoil in the diagram"));
    fitAct->setEnabled(false);
    connect(fitAct, &QAction::triggered, this, &MainWindow::fitAirfoil);

    aboutAct = new QAction(tr("&About"), this);
    aboutAct->setStatusTip(tr("Show Liftwise's About box"));
    connect(aboutAct, &QAction::triggered, this, &MainWindow::about);

    aboutQtAct = new QAction(tr("About &Qt"), this);
    aboutQtAct->setStatusTip(tr("Show the Qt library's About box"));
    connect(aboutQtAct, &QAction::triggered, qApp, &QApplication::aboutQt);
}

void MainWindow::createMenus()
{
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(openAct);
    fileMenu->addAction(saveAsAct);
    fileMenu->addAction(exitAct);

    viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addAction(fitAct);

    menuBar()->addSeparator();

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(aboutAct);
    helpMenu->addAction(aboutQtAct);
}

void MainWindow::createStatusBar() { statusBar()->showMessage(tr("Ready")); }

namespace {

// A spin box beside its label in column 1 of row; screen readers read it by the label's text.
template <typename SpinBox>
SpinBox *addSpinBox(
    QGridLayout *layout, int row, const QString &label, double minimum, double maximum, double step)
{
    layout->addWidget(new QLabel(label), row, 1);
    SpinBox *box = new SpinBox;
    box->setRange(minimum, maximum);
    box->setSingleStep(step);
    box->setAccessibleName(label);
    layout->addWidget(box, row, 2);
    return box;
}

QTextEdit *createTextPanel(const QString &name)
{
    QTextEdit *text = new QTextEdit;
    text->setReadOnly(true);
    text->setPlainText(QString());
    text->setAccessibleName(name);
    return text;
}

// The size a text panel needs to show the lines whole, without scrolling.
QSize textSize(const QTextEdit *text, const QStringList &lines)
{
    const QFontMetrics metrics = text->fontMetrics();
    int width = 0;
    for (const QString &line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    // The frame and the document's margin on either side, and a pixel for rounding.
    const int margins = 2 * (text->frameWidth() + qCeil(text->document()->documentMargin())) + 1;
    return QSize(width + margins, int(lines.size()) * metrics.lineSpacing() + margins);
}

} // namespace

void MainWindow::createGridGroupBox()
{
    gridGroupBox = new QGroupBox;
    gridGroupBox->setAccessibleName(tr("airfoil study"));
    gridLayout = new QGridLayout;

    scene = new DiagramScene(nullptr);
    view = new DiagramView(scene);
    view->setAccessibleName(tr("diagram"));
    createDiagramTabs();
    gridLayout->addWidget(diagramTabs, 1, 1);

    fileText = createTextPanel(tr("file"));
    gridLayout->addWidget(fileText, 1, 2);

    createPanelingGroup();
    gridLayout->addWidget(panelingGroupBox, 2, 1);

    createModifyGroup();
    gridLayout->addWidget(modifyGroupBox, 2, 2);

    resultText = createTextPanel(tr("results"));
    QFont font(QStringLiteral("Courier"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    resultText->setFont(font);
    // Each panel keeps its column: the lines scroll sideways, they never wrap.
    resultText->setLineWrapMode(QTextEdit::NoWrap);
    resultText->setFixedHeight(textSize(resultText, {QString(), QString()}).height()
        + resultText->horizontalScrollBar()->sizeHint().height());
    gridLayout->addWidget(resultText, 3, 1, 1, 2);

    gridLayout->setColumnMinimumWidth(1, 400);
    gridLayout->setColumnMinimumWidth(2, 200);
    gridLayout->setRowMinimumHeight(1, 150);
    gridLayout->setRowMinimumHeight(2, 150);
    gridLayout->setRowMinimumHeight(3, 60);
    // Room beyond what the panels and fields need goes to the diagram.
    gridLayout->setColumnStretch(1, 1);
    gridLayout->setRowStretch(1, 1);
    gridGroupBox->setLayout(gridLayout);
}

void MainWindow::createDiagramTabs()
{
    loadingChart = new LoadingChart;
    convergenceChart = new ConvergenceChart;
    diagramTabs = new QTabWidget;
    diagramTabs->setAccessibleName(tr("diagram and plots"));
    loadingChart->setAccessibleName(tr("Loading"));
    convergenceChart->setAccessibleName(tr("Convergence"));
    const QList<QPair<QWidget *, QString>> tabs {{view, tr("Airfoil")},
        {loadingChart, tr("Loading")}, {convergenceChart, tr("Convergence")}};
    for (const auto &[widget, name] : tabs)
        diagramTabs->tabBar()->setAccessibleTabName(diagramTabs->addTab(widget, name), name);
}

void MainWindow::createPanelingGroup()
{
    panelingGroupBox = new QGroupBox;
    panelingGroupBox->setAccessibleName(tr("paneling controls"));
    QGridLayout *layout = new QGridLayout;

    const Paneling start;
    panelsSpinBox = addSpinBox<QSpinBox>(
        layout, 1, tr("number of panels"), Paneling::MinPanels, Paneling::MaxPanels, 1);
    panelsSpinBox->setValue(start.panels);
    leDensitySpinBox = addSpinBox<QDoubleSpinBox>(layout, 2, tr("leading edge density"),
        Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityStep);
    leDensitySpinBox->setValue(start.leDensity);
    teDensitySpinBox = addSpinBox<QDoubleSpinBox>(layout, 3, tr("trailing edge density"),
        Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityStep);
    teDensitySpinBox->setValue(start.teDensity);
    // Every step of a value, by arrow, wheel or key, recomputes; typing only once finished.
    const QList<QAbstractSpinBox *> fields = {panelsSpinBox, leDensitySpinBox, teDensitySpinBox};
    for (QAbstractSpinBox *box : fields) {
        box->setKeyboardTracking(false);
        connect(box, &QAbstractSpinBox::editingFinished, this, &MainWindow::panelingEditFinished);
    }
    connect(panelsSpinBox, &QSpinBox::valueChanged, this, &MainWindow::panelingStepped);
    connect(leDensitySpinBox, &QDoubleSpinBox::valueChanged, this, &MainWindow::panelingStepped);
    connect(teDensitySpinBox, &QDoubleSpinBox::valueChanged, this, &MainWindow::panelingStepped);

    panelingText = createTextPanel(tr("paneling"));
    // The longest report of a Modify press, with the point count and coefficients below it,
    // is read whole; its lines never wrap.
    panelingText->setLineWrapMode(QTextEdit::NoWrap);
    panelingText->setMinimumSize(textSize(panelingText,
        Report::reshapingLines(CamberReshaping()) + QStringList {QString()}
            + Report::coefficientLines(Coefficients())));
    layout->addWidget(panelingText, 1, 3, 4, 1);

    layout->setColumnMinimumWidth(1, 80);
    layout->setColumnMinimumWidth(2, 80);
    layout->setColumnMinimumWidth(3, 200);
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

    alpha0SpinBox = addSpinBox<QDoubleSpinBox>(layout, 1, tr("alpha0 [deg]"),
        -Targets::MaxAlpha0Degrees, Targets::MaxAlpha0Degrees, Targets::Alpha0StepDegrees);
    alpha0SpinBox->setDecimals(Targets::Decimals);
    cm0SpinBox = addSpinBox<QDoubleSpinBox>(
        layout, 2, tr("cm0"), -Targets::MaxCm0, Targets::MaxCm0, Targets::Cm0Step);
    cm0SpinBox->setDecimals(Targets::Decimals);

    modifyButton = new QPushButton(tr("Modify"));
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

    layout->setColumnMinimumWidth(1, 100);
    layout->setColumnMinimumWidth(2, 100);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(3, 1);
    layout->setRowStretch(4, 10);
    layout->setColumnStretch(1, 10);
    layout->setColumnStretch(2, 10);
    modifyGroupBox->setLayout(layout);
}

void MainWindow::setCurrentFile(const QString &path)
{
    curFile = path;
    fileText->document()->setModified(false);
    setWindowModified(false);
    const QString shownName = curFile.isEmpty() ? QStringLiteral("none") : strippedName(curFile);
    setWindowTitle(tr("%1 - %2").arg(tr("Liftwise"), shownName));
}

QString MainWindow::strippedName(const QString &path) { return QFileInfo(path).fileName(); }
