#include "mainwindow.h"

#include "camberline.h"
#include "comparisonroom.h"
#include "designroom.h"
#include "focusring.h"
#include "format.h"
#include "openroom.h"
#include "report.h"
#include "saveroom.h"
#include "sectionroom.h"
#include "study.h"
#include "viewroom.h"
#include "workspace.h"

#include <QtWidgets>

MainWindow::MainWindow()
    : QMainWindow(nullptr)
    , workspace(new Workspace(this))
    , study(workspace->current())
    , viewRoom(new ViewRoom(study, this))
    , designRoom(new DesignRoom(study, this))
    , saveRoom(new SaveRoom(study, designRoom, viewRoom, this))
    , openRoom(new OpenRoom(study, designRoom, saveRoom, this))
    , sectionRoom(new SectionRoom(study, designRoom, openRoom, viewRoom, this))
    , comparisonRoom(new ComparisonRoom(workspace, designRoom, openRoom, viewRoom, this))
{
    createActions();
    createMenus();
    createStatusBar();
    createGridGroupBox();
    setCentralWidget(gridGroupBox);
    addDockWidget(Qt::LeftDockWidgetArea, comparisonRoom->dock());
    saveRoom->setComparison(
        comparisonRoom->tablePage(), [this] { return comparisonRoom->tableCsv(); });
    saveRoom->setComparedSections(
        [this](ReportPage::Contents *contents) { comparisonRoom->compareIn(contents); });
    // The text panels show the focus as the fields do, by a frame in the highlight colour; every
    // widget but the diagram and the plots, which frame themselves, has a ring round it too.
    setStyleSheet(QStringLiteral("QTextEdit:focus { border: 1px solid palette(highlight); }"));
    new FocusRing(this);
    // A diagram of about 900 pixels across on a common desktop; on a smaller screen all of the
    // window, with room for its frame and title, however large the text is scaled.
    resize(QSize(1280, 800).boundedTo(screen()->availableSize() - QSize(20, 60)));
    // A file dropped anywhere opens, with the unsaved-work question: no part of the window
    // takes a drop for itself (the diagram and the plots would swallow it, a field would take
    // its name as text), so every drop reaches the window.
    for (QWidget *part : findChildren<QWidget *>())
        part->setAcceptDrops(false);
    setAcceptDrops(true);
    readSettings();
    study->setPaneling(designRoom->fieldsPaneling());
    watchStudy();
    connect(workspace, &Workspace::currentChanged, this, &MainWindow::showStudy);
    connect(designRoom, &DesignRoom::steppedWithoutFile, this, [this] {
        panelingText->setPlainText(QString());
        resultText->setPlainText(QStringLiteral("no data"));
    });
}

void MainWindow::loadFile(const QString &path) { openRoom->loadFile(path); }

void MainWindow::watchStudy()
{
    // Worked out in the background for the section on show, and kept once it is not.
    study->convergence().setSampling(true);
    study->convergence().setExtrapolating(true);
    connect(study, &Study::fileChanged, this, &MainWindow::showFileLines);
    connect(&study->convergence(), &ConvergenceModel::extrapolationChanged, this,
        &MainWindow::showFileLines);
    connect(study, &Study::lineChanged, this, &MainWindow::panelingRegenerateDisplay);
}

void MainWindow::showStudy(Study *now, Study *before)
{
    disconnect(before, nullptr, this, nullptr);
    disconnect(&before->convergence(), nullptr, this, nullptr);
    study = now;
    watchStudy();
    designRoom->setStudy(study);
    viewRoom->setStudy(study);
    saveRoom->setStudy(study);
    openRoom->setStudy(study);
    sectionRoom->setStudy(study);
    showFileLines();
    if (study->isLoaded()) {
        panelingRegenerateDisplay();
    } else {
        panelingText->setPlainText(QString());
        resultText->setPlainText(QString());
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (firstSplit)
        return;
    firstSplit = true;
    // The panels below ask for the room to show their longest texts whole; on a small screen
    // the diagram keeps some room all the same. A split the user made is kept as it was.
    const QList<int> sizes = mainSplitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (!splitRestored && sizes.value(1) > 0.55 * total)
        mainSplitter->setSizes({total - int(0.55 * total), int(0.55 * total)});
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!comparisonRoom->maybeSaveAll()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event) { openRoom->dragEnter(event); }

void MainWindow::dropEvent(QDropEvent *event) { openRoom->drop(event); }

void MainWindow::about()
{
    QMessageBox::about(this, tr("About Liftwise"),
        tr("<p><b>Liftwise</b> %1</p>"
           "<p>Liftwise studies the camber line of a two-dimensional airfoil with "
           "thin-airfoil theory. It reads an airfoil coordinate file, extracts the camber line "
           "and computes, by a discrete-vortex method, its lift and moment coefficients and "
           "zero-lift angle: on a fine reference paneling and on the paneling you choose. "
           "Modify reshapes the paneled line towards a target zero-lift angle and moment.</p>"
           "<p>Liftwise is free software, distributed under the GNU General Public License, "
           "version 3 or later (GPL-3.0-or-later), with no warranty.</p>"
           "<p>Running on Qt %2.</p>")
            .arg(QStringLiteral(LIFTWISE_VERSION), QString::fromLatin1(qVersion())));
}

void MainWindow::createActions()
{
    exitAct = new QAction(tr("E&xit"), this);
    exitAct->setShortcut(QKeySequence(tr("Ctrl+Q")));
    exitAct->setStatusTip(tr("Exit Liftwise"));
    connect(exitAct, &QAction::triggered, this, &QWidget::close);

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
    fileMenu->addActions(openRoom->actions());
    fileMenu->addSeparator();
    fileMenu->addActions(saveRoom->actions());
    fileMenu->addSeparator();
    fileMenu->addAction(saveRoom->printAction());
    fileMenu->addAction(saveRoom->reportDetailsAction());
    fileMenu->addSeparator();
    fileMenu->addAction(exitAct);

    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addActions(designRoom->actions());
    editMenu->addSeparator();
    editMenu->addAction(designRoom->reachAction());
    editMenu->addSeparator();
    editMenu->addAction(saveRoom->copyAction());

    designMenu = menuBar()->addMenu(tr("&Design"));
    const QList<QAction *> designActions = sectionRoom->actions();
    designMenu->addAction(designActions.first());
    designMenu->addSeparator();
    designMenu->addActions(designActions.mid(1));

    compareMenu = menuBar()->addMenu(tr("&Compare"));
    compareMenu->addActions(comparisonRoom->actions());

    viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addActions(viewRoom->actions());
    viewMenu->addSeparator();
    viewMenu->addAction(comparisonRoom->dock()->toggleViewAction());

    menuBar()->addSeparator();

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(aboutAct);
    helpMenu->addAction(aboutQtAct);
}

void MainWindow::createStatusBar() { statusBar()->showMessage(tr("Ready")); }

void MainWindow::readSettings()
{
    // Settings that cannot be read, or hold nonsense, are passed over: defaults instead.
    QSettings settings;
    if (settings.status() != QSettings::NoError)
        return;
    restoreGeometry(settings.value("geometry").toByteArray());
    restoreState(settings.value("state").toByteArray());
    for (const auto &[key, splitter] : {std::pair {"splitters/main", mainSplitter},
             {"splitters/upper", upperSplitter}, {"splitters/lower", lowerSplitter}})
        splitRestored = splitter->restoreState(settings.value(key).toByteArray()) || splitRestored;
    viewRoom->readSettings(settings);
    designRoom->readSettings(settings);
}

void MainWindow::writeSettings()
{
    QSettings settings;
    settings.setValue("geometry", saveGeometry());
    settings.setValue("state", saveState());
    settings.setValue("splitters/main", mainSplitter->saveState());
    settings.setValue("splitters/upper", upperSplitter->saveState());
    settings.setValue("splitters/lower", lowerSplitter->saveState());
    viewRoom->writeSettings(&settings);
    designRoom->writeSettings(&settings);
}

void MainWindow::showFileLines()
{
    // A narrow panel wraps the long lines between their values only.
    QStringList lines = Report::fileLines(*study);
    for (QString &line : lines)
        line = Format::wrappingBetweenValues(line);
    fileText->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList MainWindow::panelTable(const Camberline &line)
{
    // Each panel's number and the x/c of its middle over its width and angle, column by column.
    QString numbers = QStringLiteral("panel").leftJustified(11) + QLatin1Char(' ');
    QString middles = QStringLiteral("x").leftJustified(11) + QLatin1Char(' ');
    numbers.reserve(10 * line.npoints());
    middles.reserve(10 * line.npoints());
    for (int i = 0; i + 1 < line.npoints(); ++i) {
        numbers += QLatin1Char(' ') + QString::number(i + 1).rightJustified(9);
        middles += QLatin1Char(' ')
            + Format::fixed(0.5 * (line.xpoint(i) + line.xpoint(i + 1)), 4).rightJustified(9);
    }
    return QStringList {numbers, middles} + Report::resultLines(line);
}

void MainWindow::panelingRegenerateDisplay()
{
    panelingText->setPlainText(Report::panelingLines(*study).join(QLatin1Char('\n')));
    const QStringList results = panelTable(*study->paneledLine());
    // Each layout of these long lines costs more than the step itself: a press, which leaves
    // the stations, lays out the angles alone; anything else every line in one go.
    QTextDocument *document = resultText->document();
    bool sameStations = document->blockCount() == results.size();
    for (QTextBlock block = document->firstBlock(); sameStations && block != document->lastBlock();
         block = block.next())
        sameStations = block.text() == results.at(block.blockNumber());
    if (sameStations) {
        QTextCursor cursor(document->lastBlock());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (cursor.selectedText() != results.last())
            cursor.insertText(results.last());
    } else {
        resultText->setCurrentFont(resultText->font());
        resultText->setPlainText(results.join(QLatin1Char('\n')));
    }
    // Shown from the first panel on, however far the last line was scrolled.
    resultText->moveCursor(QTextCursor::Start);
    resultText->horizontalScrollBar()->setValue(0);
}
