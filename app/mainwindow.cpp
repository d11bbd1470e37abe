#include "mainwindow.h"

#include "chartview.h"
#include "contourtemplate.h"
#include "convergencechart.h"
#include "datatables.h"
#include "diagramexport.h"
#include "diagramscene.h"
#include "diagramview.h"
#include "filesystem.h"
#include "loadingchart.h"
#include "recentfiles.h"
#include "report.h"
#include "reportpage.h"
#include "study.h"
#include "studystep.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QtWidgets>

MainWindow::MainWindow()
    : QMainWindow(nullptr)
    , study(new Study(this))
{
    panelingStep.setSingleShot(true);
    panelingStep.setInterval(0);
    connect(&panelingStep, &QTimer::timeout, this, &MainWindow::runPanelingStep);
    createActions();
    createMenus();
    createStatusBar();
    createGridGroupBox();
    setCentralWidget(gridGroupBox);
    // The text panels show the focus as the fields do, by a frame in the highlight colour.
    setStyleSheet(QStringLiteral("QTextEdit:focus { border: 1px solid palette(highlight); }"));
    setCurrentFile(QString());
    // A diagram of about 900 pixels across on a common desktop; on a smaller screen all of the
    // window, with room for its frame and title, however large the text is scaled.
    resize(QSize(1280, 800).boundedTo(screen()->availableSize() - QSize(20, 60)));
    setAcceptDrops(true);
    readSettings();
    study->setPaneling(fieldsPaneling());
    study->convergence().setSampling(true);
    study->convergence().setExtrapolating(true);
    connect(study, &Study::fileChanged, this, &MainWindow::showFile);
    connect(&study->convergence(), &ConvergenceModel::extrapolationChanged, this,
        [this] { fileText->setPlainText(Report::fileLines(*study).join(QLatin1Char('\n'))); });
    connect(study, &Study::lineChanged, this, &MainWindow::panelingRegenerateDisplay);
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
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
}

bool MainWindow::maybeSave()
{
    finishPanelingStep();
    if (!isWindowModified())
        return true;
    const QMessageBox::StandardButton answer
        = QMessageBox::warning(this, tr("Liftwise"), tr("The reshaped airfoil has not been saved."),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) {
        saveAs();
        return !isWindowModified();
    }
    return answer == QMessageBox::Discard;
}

void MainWindow::openAsked(const QString &path)
{
    if (maybeSave())
        loadFile(path);
}

void MainWindow::pushStep(const QString &text, const Study::LineState &before)
{
    undoStack.push(new StudyStep(text, before, study->lineState(),
        [this](const Study::LineState &state) { showLineState(state); }));
}

void MainWindow::showLineState(const Study::LineState &state)
{
    panelingStep.stop();
    busyStep(state.paneling, [&] {
        const QSignalBlocker blockPanels(panelsSpinBox);
        const QSignalBlocker blockLe(leDensitySpinBox);
        const QSignalBlocker blockTe(teDensitySpinBox);
        panelsSpinBox->setValue(state.paneling.panels);
        leDensitySpinBox->setValue(state.paneling.leDensity);
        teDensitySpinBox->setValue(state.paneling.teDensity);
        study->restoreLineState(state);
    });
}

void MainWindow::updateModified()
{
    // Modified while the line carries presses that no save has written.
    setWindowModified(study->isLoaded() && !study->presses().empty() && !undoStack.isClean());
}

void MainWindow::undo()
{
    finishPanelingStep();
    const QString text = undoStack.undoText();
    undoStack.undo();
    statusBar()->showMessage(tr("Undone: %1").arg(text), 3000);
}

void MainWindow::redo()
{
    finishPanelingStep();
    const QString text = undoStack.redoText();
    undoStack.redo();
    statusBar()->showMessage(tr("Redone: %1").arg(text), 3000);
}

namespace {

// Drops of exactly one local file are taken; anything else says why it is not. The name is
// taken by its bytes, which need not be UTF-8.
QString droppedFile(const QMimeData *data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    return FileSystem::decodeName(
        QByteArray::fromPercentEncoding(urls.first().path(QUrl::FullyEncoded).toLatin1()));
}

// A save dialog that gives a name without an extension the chosen filter's (none for all
// files), before it asks about replacing a file.
class SaveDialog : public QFileDialog
{
public:
    SaveDialog(QWidget *parent, const QString &title, const QString &proposed,
        const QString &filters, QFileDialog::Options options = {})
        : QFileDialog(parent, title, QFileInfo(proposed).absolutePath(), filters)
    {
        setAcceptMode(QFileDialog::AcceptSave);
        setOptions(this->options() | options);
        selectFile(QFileInfo(proposed).fileName());
    }

    void accept() override
    {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        setDefaultSuffix(pattern.match(selectedNameFilter()).captured(1));
        QFileDialog::accept();
    }
};

// The name the user chose in a save dialog, or an empty string.
QString askSavePath(QWidget *parent, const QString &title, const QString &proposed,
    const QString &filters, QFileDialog::Options options = {})
{
    SaveDialog dialog(parent, title, proposed, filters, options);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty() || FileSystem::kind(path) == FileSystem::Kind::Directory) {
        statusBar()->showMessage(tr("Drop one airfoil file to open it"), 3000);
        return;
    }
    event->acceptProposedAction();
    openAsked(path);
}

void MainWindow::open()
{
    if (!maybeSave())
        return;
    // The first run starts in the current folder, where make run keeps the samples.
    QSettings settings;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open airfoil datafile"),
        settings.value("openFolder", QStringLiteral(".")).toString(),
        tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (path.isEmpty())
        return;
    settings.setValue("openFolder", QFileInfo(path).absolutePath());
    // The dialog is gone: show what lay under it before the file is computed.
    repaint();
    loadFile(path);
}

void MainWindow::reload() { openAsked(study->path()); }

void MainWindow::saveAs()
{
    finishPanelingStep();
    const QFileInfo loaded(study->path());
    const QString proposed
        = loaded.dir().filePath(loaded.completeBaseName() + QStringLiteral("-modified.dat"));
    const QString path = askSavePath(this, tr("Save airfoil datafile"), proposed,
        tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (path.isEmpty())
        return;
    if (const Study::Refusal refusal = study->save(path)) {
        QMessageBox::warning(this, tr("Liftwise"), refusal.message(path));
        return;
    }
    QSettings().setValue("saveFolder", QFileInfo(path).absolutePath());
    undoStack.setClean();
    // The loaded file itself now holds the reshaped airfoil: show it as loaded.
    if (QFileInfo(path) == loaded)
        loadFile(path);
    statusBar()->showMessage(tr("File saved"), 2000);
}

QString MainWindow::proposedPath(const QString &suffix) const
{
    const QFileInfo loaded(study->path());
    const QString folder = QSettings().value("saveFolder", loaded.absolutePath()).toString();
    return QDir(folder).filePath(loaded.completeBaseName() + suffix);
}

void MainWindow::tellWritten(const QString &path, const QString &problem, const QString &done)
{
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, tr("Liftwise"),
            Study::Refusal {Study::Refusal::Unwritable, problem}.message(path));
        return;
    }
    QSettings().setValue("saveFolder", QFileInfo(path).absolutePath());
    statusBar()->showMessage(done, 2000);
}

void MainWindow::exportDiagram()
{
    finishPanelingStep();
    const QString tab = diagramTabs->tabText(diagramTabs->currentIndex()).toLower();
    const QString proposed = proposedPath(QLatin1Char('-') + tab + QStringLiteral(".png"));
    const QString path = askSavePath(
        this, tr("Export diagram"), proposed, tr("PNG image (*.png)\nSVG drawing (*.svg)"));
    if (path.isEmpty())
        return;
    // A picture for a report: the hint is for the window's user.
    view->setHintVisible(false);
    const QString problem = exportWidget(shownDiagram(), path, exportCaption());
    view->setHintVisible(true);
    tellWritten(path, problem, tr("Diagram exported"));
}

void MainWindow::exportData()
{
    finishPanelingStep();
    // 1. The stem of the files' names, and the tables of the tab on show.
    const QString proposed = proposedPath(QString());
    // The tables' own names are asked about below: the name chosen is only their stem.
    QString stem = askSavePath(this, tr("Export data"), proposed, tr("CSV tables (*.csv)"),
        QFileDialog::DontConfirmOverwrite);
    if (stem.isEmpty())
        return;
    if (stem.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        stem.chop(4);
    QList<QPair<QString, QByteArray>> tables;
    const QWidget *shown = shownDiagram();
    if (shown == view) {
        tables = {{stem + QStringLiteral("-camber.csv"), DataTables::camber(*study)},
            {stem + QStringLiteral("-contour.csv"), DataTables::contour(*study)}};
    } else if (shown == loadingChart) {
        tables = {
            {stem + QStringLiteral("-loading.csv"),
                DataTables::loading(study->paneledLoading(), study->paneledCoefficients().alphaSF)},
            {stem + QStringLiteral("-loading-reference.csv"),
                DataTables::loading(
                    study->referenceLoading(), study->referenceCoefficients().alphaSF)}};
    } else {
        tables = {{stem + QStringLiteral("-convergence.csv"),
            DataTables::convergence(finishedConvergence())}};
    }

    // 2. Files there already are replaced only when the user says so.
    QStringList existing;
    for (const auto &[path, table] : tables)
        if (QFileInfo::exists(path))
            existing << QFileInfo(path).fileName();
    if (!existing.isEmpty()
        && QMessageBox::question(this, tr("Liftwise"),
               existing.size() == 1
                   ? tr("%1 already exists.\nDo you want to replace it?").arg(existing.first())
                   : tr("%1 already exist.\nDo you want to replace them?")
                         .arg(existing.join(QStringLiteral(", "))))
            != QMessageBox::Yes)
        return;

    // 3. Each table whole or not at all; those written before a failure are named all the same.
    QStringList written;
    for (const auto &[path, table] : tables) {
        if (const QString problem = FileSystem::saveFile(path, table); !problem.isEmpty()) {
            QMessageBox::warning(this, tr("Liftwise"),
                Study::Refusal {Study::Refusal::Unwritable, problem}.message(path));
            break;
        }
        written << QFileInfo(path).fileName();
    }
    if (written.isEmpty())
        return;
    QSettings().setValue("saveFolder", QFileInfo(stem).absolutePath());
    statusBar()->showMessage(tr("Data exported: %1").arg(written.join(QStringLiteral(", "))), 5000);
}

QMap<int, Coefficients> MainWindow::finishedConvergence()
{
    ConvergenceModel &convergence = study->convergence();
    if (!convergence.isDone()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        convergence.waitForFinished();
        QApplication::restoreOverrideCursor();
    }
    return convergence.results();
}

void MainWindow::exportReport()
{
    finishPanelingStep();
    const QString proposed = proposedPath(QStringLiteral("-report.pdf"));
    const QString path
        = askSavePath(this, tr("Export report"), proposed, tr("PDF document (*.pdf)"));
    if (path.isEmpty())
        return;
    const QMap<int, Coefficients> convergence = finishedConvergence();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString problem
        = ReportPage::writePdf(path, *study, convergence, QDateTime::currentDateTime());
    QApplication::restoreOverrideCursor();
    tellWritten(path, problem, tr("Report exported"));
}

void MainWindow::printReport()
{
    finishPanelingStep();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The page keeps margins of its own, wider than a printer's.
    printer.setFullPage(true);
    printer.setDocName(Format::printable(study->data().title));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QMap<int, Coefficients> convergence = finishedConvergence();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed
        = ReportPage::paint(&printer, *study, convergence, QDateTime::currentDateTime());
    QApplication::restoreOverrideCursor();
    if (!printed) {
        QMessageBox::warning(this, tr("Liftwise"), tr("Cannot print the report."));
        return;
    }
    statusBar()->showMessage(tr("Report printed"), 2000);
}

void MainWindow::exportContour()
{
    finishPanelingStep();
    QSettings settings;
    bool ok = false;
    double chord = settings.value("contour/chord").toDouble(&ok);
    if (!ok || !(chord >= ContourTemplate::MinChord && chord <= ContourTemplate::MaxChord))
        chord = 200.0;
    chord = QInputDialog::getDouble(this, tr("Export contour"),
        tr("Chord in millimetres (%1 to %2):")
            .arg(ContourTemplate::MinChord)
            .arg(ContourTemplate::MaxChord),
        chord, ContourTemplate::MinChord, ContourTemplate::MaxChord, ContourTemplate::ChordDecimals,
        &ok);
    if (!ok)
        return;
    settings.setValue("contour/chord", chord);
    const QString proposed = proposedPath(QStringLiteral("-%1mm.dxf").arg(chord));
    SaveDialog dialog(this, tr("Export contour"), proposed,
        tr("DXF drawing (*.dxf)\nSVG drawing (*.svg)\nPDF document (*.pdf)"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString path = dialog.selectedFiles().value(0);
    // A name of another extension is written as the chosen filter has it.
    ContourTemplate::Type type = ContourTemplate::typeOf(path);
    if (type == ContourTemplate::Type::Unknown)
        type = ContourTemplate::typeOf(dialog.defaultSuffix().prepend(QLatin1Char('.')));
    const QString problem = ContourTemplate::of(*study, chord).save(path, type);
    tellWritten(path, problem, tr("Contour exported"));
}

QString MainWindow::exportCaption() const
{
    QString caption = tr("%1 — %2 — %3")
                          .arg(study->data().title, QFileInfo(study->path()).fileName(),
                              Report::panelingDescription(study->paneling()));
    const size_t presses = study->presses().size();
    if (presses == 1)
        caption += tr(", after 1 Modify press");
    else if (presses > 1)
        caption += tr(", after %1 Modify presses").arg(presses);
    return caption;
}

QStringList MainWindow::studyLines() const
{
    QStringList lines {QStringLiteral("[study]"),
        tr("path: %1").arg(QDir::toNativeSeparators(QFileInfo(study->path()).absoluteFilePath())),
        tr("paneling: %1").arg(Report::panelingDescription(study->paneling()))};
    QStringList presses;
    for (const CamberReshaping &press : study->presses())
        presses << tr("alpha0 %1 deg, cm0 %2")
                       .arg(Format::fixed(degrees(press.target.alpha0), Targets::Decimals),
                           Format::fixed(press.target.cm0, Targets::Decimals));
    if (!presses.isEmpty())
        lines << tr("Modify presses towards: %1").arg(presses.join(QStringLiteral("; ")));
    return lines;
}

void MainWindow::copyResults()
{
    finishPanelingStep();
    study->convergence().waitForExtrapolation();
    QGuiApplication::clipboard()->setText(
        studyLines().join(QLatin1Char('\n')) + QLatin1Char('\n') + Report::analysisText(*study));
    statusBar()->showMessage(tr("Results copied"), 2000);
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
           "<p>Liftwise is free software, distributed under the GNU General Public License, "
           "version 3 or later (GPL-3.0-or-later), with no warranty.</p>"
           "<p>Running on Qt %2.</p>")
            .arg(QStringLiteral(LIFTWISE_VERSION), QString::fromLatin1(qVersion())));
}

QWidget *MainWindow::shownDiagram() const
{
    const QList<QWidget *> shown {view, loadingChart, convergenceChart};
    return shown.value(diagramTabs->currentIndex(), view);
}

void MainWindow::fitShown()
{
    if (auto *chart = qobject_cast<ChartView *>(shownDiagram()))
        chart->fit();
    else
        view->fitContour();
}

void MainWindow::stepTab(int step)
{
    const int count = diagramTabs->count();
    diagramTabs->setCurrentIndex((diagramTabs->currentIndex() + step + count) % count);
}

void MainWindow::diagramTabChanged()
{
    const bool diagram = shownDiagram() == view;
    fitAct->setText(diagram ? tr("Fit Airfoil") : tr("Fit Plot"));
    fitAct->setStatusTip(diagram ? tr("Scale and centre the airfoil in the diagram")
                                 : tr("Show the whole range of the plot's x axis"));
}

void MainWindow::loadFile(const QString &path)
{
    // A pipe or a device would block the window until somebody writes to it.
    if (FileSystem::kind(path) == FileSystem::Kind::Special) {
        QMessageBox::warning(this, tr("Liftwise"),
            Study::Refusal {Study::Refusal::Unreadable, tr("it is not a regular file")}.message(
                path));
        return;
    }
    // The load builds the line at the fields' paneling: a step still waiting is part of it.
    panelingStep.stop();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The study takes the file only if it can be analysed, so a refused file leaves the
    // earlier one loaded and shown.
    const Study::Refusal refusal = study->loadFile(path, fieldsPaneling());
    QApplication::restoreOverrideCursor();
    if (refusal) {
        QMessageBox::warning(this, tr("Liftwise"), refusal.message(path));
        return;
    }
    setCurrentFile(path);
    RecentFilesMenu::add(path);
    statusBar()->showMessage(tr("File loaded"), 2000);
}

Paneling MainWindow::fieldsPaneling() const
{
    return Paneling {panelsSpinBox->value(), leDensitySpinBox->value(), teDensitySpinBox->value()};
}

void MainWindow::showFile()
{
    for (QAction *action : {reloadAct, saveAsAct, exportAct, exportContourAct, copyAct, fitAct})
        action->setEnabled(true);
    fileText->setPlainText(Report::fileLines(*study).join(QLatin1Char('\n')));
    modifyButton->setEnabled(true);
    const Targets targets = study->presetTargets();
    settingFields = true;
    alpha0SpinBox->setValue(degrees(targets.alpha0));
    cm0SpinBox->setValue(targets.cm0);
    settingFields = false;
    shownAlpha0 = alpha0SpinBox->value();
    shownCm0 = cm0SpinBox->value();
    // A new file starts a new history.
    undoStack.clear();
    updateModified();
}

void MainWindow::busyStep(const Paneling &paneling, const std::function<void()> &step)
{
    // A step whose stations have no inverse kept costs about n^3: it may take seconds.
    const bool slow = study->isLoaded() && !study->isSolved(paneling);
    if (slow)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    step();
    if (slow)
        QApplication::restoreOverrideCursor();
}

void MainWindow::panelingChanged() { panelingStep.start(); }

void MainWindow::runPanelingStep()
{
    panelingStep.stop();
    const Study::LineState before = study->lineState();
    const Paneling paneling = fieldsPaneling();
    busyStep(paneling, [&] { study->setPaneling(paneling); });
    if (!study->isLoaded()) {
        panelingText->setPlainText(QString());
        resultText->setPlainText(QStringLiteral("no data"));
        return;
    }
    const Paneling &was = before.paneling;
    const int changed = (paneling.panels != was.panels) + (paneling.leDensity != was.leDensity)
        + (paneling.teDensity != was.teDensity);
    const QString text = changed > 1          ? tr("Paneling")
        : paneling.panels != was.panels       ? tr("Number of Panels")
        : paneling.leDensity != was.leDensity ? tr("Leading Edge Density")
        : paneling.teDensity != was.teDensity ? tr("Trailing Edge Density")
                                              : tr("Rebuild Line");
    pushStep(text, before);
}

void MainWindow::finishPanelingStep()
{
    if (panelingStep.isActive())
        runPanelingStep();
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
    const QStringList results = Report::resultLines(*study->paneledLine());
    // Each layout of these long lines costs more than the step itself: a press, which leaves
    // the widths, lays out the angles alone; anything else both lines in one go.
    QTextDocument *document = resultText->document();
    if (document->blockCount() == results.size()
        && document->firstBlock().text() == results.first()) {
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

void MainWindow::doModify()
{
    finishPanelingStep();
    lineFromStep = false;
    const Targets targets {radians(alpha0SpinBox->value()), cm0SpinBox->value()};
    const Study::LineState before = study->lineState();
    busyStep(study->paneling(), [&] { study->modify(targets); });
    if (!study->isLoaded())
        return;
    pushStep(tr("Modify"), before);
    const Coefficients &reached = study->paneledCoefficients();
    if (!targets.reachedBy(reached, radians(Targets::ReachedAlpha0Degrees), Targets::ReachedCm0)) {
        statusBar()->showMessage(
            tr("target not reached: alpha0 = %1 deg, cm0 = %2")
                .arg(Format::fixed(degrees(reached.alpha0), 3), Format::fixed(reached.cm0, 4)));
    } else if (const Coefficients *section = study->reshapedReference()) {
        statusBar()->showMessage(
            tr("Modify: alpha0 %1 deg, cm0 %2")
                .arg(Format::fixed(degrees(section->alpha0), 3), Format::fixed(section->cm0, 4)),
            5000);
    }
}

void MainWindow::createActions()
{
    openAct = new QAction(tr("&Open..."), this);
    openAct->setShortcut(QKeySequence(tr("Ctrl+O")));
    openAct->setStatusTip(tr("Open an airfoil *.dat file"));
    connect(openAct, &QAction::triggered, this, &MainWindow::open);

    reloadAct = new QAction(tr("Reload"), this);
    reloadAct->setShortcut(QKeySequence(tr("F5")));
    reloadAct->setStatusTip(tr("Open the current file again, at the same paneling"));
    connect(reloadAct, &QAction::triggered, this, &MainWindow::reload);

    saveAsAct = new QAction(tr("Save Airfoil As..."), this);
    saveAsAct->setShortcut(QKeySequence(tr("Ctrl+Shift+S")));
    saveAsAct->setStatusTip(tr("Save the airfoil, reshaped by Modify, as an airfoil file"));
    connect(saveAsAct, &QAction::triggered, this, &MainWindow::saveAs);

    exportAct = new QAction(tr("Export Diagram..."), this);
    exportAct->setStatusTip(tr("Save the diagram on show as a PNG image or an SVG drawing"));
    connect(exportAct, &QAction::triggered, this, &MainWindow::exportDiagram);

    exportContourAct = new QAction(tr("Export Contour..."), this);
    exportContourAct->setStatusTip(
        tr("Save the contour at true size, for cutting or printing, as DXF, SVG or PDF"));
    connect(exportContourAct, &QAction::triggered, this, &MainWindow::exportContour);

    exportDataAct = new QAction(tr("Export Data..."), this);
    exportDataAct->setStatusTip(tr("Save the numbers behind the tab on show as CSV tables"));
    connect(exportDataAct, &QAction::triggered, this, &MainWindow::exportData);
    exportReportAct = new QAction(tr("Export Report..."), this);
    exportReportAct->setStatusTip(tr("Save the study on one A4 page as a PDF document"));
    connect(exportReportAct, &QAction::triggered, this, &MainWindow::exportReport);
    printAct = new QAction(tr("Print..."), this);
    printAct->setShortcut(QKeySequence::Print);
    printAct->setStatusTip(tr("Print the study on one A4 page"));
    connect(printAct, &QAction::triggered, this, &MainWindow::printReport);
    // Nothing to export or print before a load; every load has all of it.
    for (QAction *action : {exportDataAct, exportReportAct, printAct}) {
        action->setEnabled(false);
        connect(study, &Study::fileChanged, action, [action] { action->setEnabled(true); });
    }

    copyAct = new QAction(tr("Copy Results"), this);
    copyAct->setShortcut(QKeySequence(tr("Ctrl+Shift+C")));
    copyAct->setStatusTip(tr("Copy the three panels' texts to the clipboard"));
    connect(copyAct, &QAction::triggered, this, &MainWindow::copyResults);

    // "Undo Modify", "Redo Number of Panels": the menu names the step.
    undoAct = new QAction(tr("Undo"), this);
    undoAct->setShortcut(QKeySequence::Undo);
    undoAct->setEnabled(false);
    connect(undoAct, &QAction::triggered, this, &MainWindow::undo);
    connect(&undoStack, &QUndoStack::canUndoChanged, undoAct, &QAction::setEnabled);
    connect(&undoStack, &QUndoStack::undoTextChanged, undoAct, [this](const QString &text) {
        undoAct->setText(text.isEmpty() ? tr("Undo") : tr("Undo %1").arg(text));
    });
    redoAct = new QAction(tr("Redo"), this);
    redoAct->setShortcut(QKeySequence(tr("Ctrl+Shift+Z")));
    redoAct->setEnabled(false);
    connect(redoAct, &QAction::triggered, this, &MainWindow::redo);
    connect(&undoStack, &QUndoStack::canRedoChanged, redoAct, &QAction::setEnabled);
    connect(&undoStack, &QUndoStack::redoTextChanged, redoAct, [this](const QString &text) {
        redoAct->setText(text.isEmpty() ? tr("Redo") : tr("Redo %1").arg(text));
    });
    connect(&undoStack, &QUndoStack::indexChanged, this, &MainWindow::updateModified);
    connect(&undoStack, &QUndoStack::cleanChanged, this, &MainWindow::updateModified);

    exitAct = new QAction(tr("E&xit"), this);
    exitAct->setShortcut(QKeySequence(tr("Ctrl+Q")));
    exitAct->setStatusTip(tr("Exit Liftwise"));
    connect(exitAct, &QAction::triggered, this, &QWidget::close);

    fitAct = new QAction(tr("Fit Airfoil"), this);
    fitAct->setShortcut(QKeySequence(tr("Ctrl+0")));
    fitAct->setStatusTip(tr("Scale and centre the airfoil in the diagram"));
    connect(fitAct, &QAction::triggered, this, &MainWindow::fitShown);

    showDifferenceAct = new QAction(tr("Show Difference"), this);
    showDifferenceAct->setCheckable(true);
    showDifferenceAct->setStatusTip(
        tr("Draw how far Modify moved the camber line, enlarged, along the chord"));
    // The diagram is made after the actions: looked up when toggled.
    connect(showDifferenceAct, &QAction::toggled, this,
        [this](bool on) { scene->setDifferenceVisible(on); });

    // From anywhere in the window, as in a browser, round from the last tab to the first.
    nextTabAct = new QAction(tr("Next Tab"), this);
    nextTabAct->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    nextTabAct->setStatusTip(tr("Show the next of the diagram and the plots"));
    connect(nextTabAct, &QAction::triggered, this, [this] { stepTab(1); });
    // Shift+Tab comes as Backtab or as Tab with Shift, by platform.
    previousTabAct = new QAction(tr("Previous Tab"), this);
    previousTabAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    previousTabAct->setStatusTip(tr("Show the previous of the diagram and the plots"));
    connect(previousTabAct, &QAction::triggered, this, [this] { stepTab(-1); });

    // Nothing to act on before a file is loaded.
    for (QAction *action : {reloadAct, saveAsAct, exportAct, exportContourAct, copyAct, fitAct})
        action->setEnabled(false);

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
    recentMenu = new RecentFilesMenu(this);
    connect(recentMenu, &RecentFilesMenu::chosen, this, &MainWindow::openAsked);
    fileMenu->addMenu(recentMenu);
    fileMenu->addAction(reloadAct);
    fileMenu->addSeparator();
    fileMenu->addAction(saveAsAct);
    fileMenu->addAction(exportAct);
    fileMenu->addAction(exportContourAct);
    fileMenu->addAction(exportDataAct);
    fileMenu->addAction(exportReportAct);
    fileMenu->addSeparator();
    fileMenu->addAction(printAct);
    fileMenu->addSeparator();
    fileMenu->addAction(exitAct);

    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undoAct);
    editMenu->addAction(redoAct);
    editMenu->addSeparator();
    editMenu->addAction(copyAct);

    viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addAction(fitAct);
    viewMenu->addAction(showDifferenceAct);
    viewMenu->addAction(nextTabAct);
    viewMenu->addAction(previousTabAct);

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
    // Restored values are no steps of the user's: the panels stay empty until a load.
    const QSignalBlocker blockPanels(panelsSpinBox);
    const QSignalBlocker blockLe(leDensitySpinBox);
    const QSignalBlocker blockTe(teDensitySpinBox);
    bool ok = false;
    showDifferenceAct->setChecked(settings.value("view/showDifference", false).toBool());
    const int panels = settings.value("paneling/panels").toInt(&ok);
    if (ok)
        panelsSpinBox->setValue(panels);
    for (const auto &[key, box] : {std::pair {"paneling/leDensity", leDensitySpinBox},
             {"paneling/teDensity", teDensitySpinBox}}) {
        const double value = settings.value(key).toDouble(&ok);
        if (ok && std::isfinite(value))
            box->setValue(value);
    }
}

void MainWindow::writeSettings()
{
    QSettings settings;
    settings.setValue("geometry", saveGeometry());
    settings.setValue("state", saveState());
    settings.setValue("splitters/main", mainSplitter->saveState());
    settings.setValue("splitters/upper", upperSplitter->saveState());
    settings.setValue("splitters/lower", lowerSplitter->saveState());
    settings.setValue("view/showDifference", showDifferenceAct->isChecked());
    settings.setValue("paneling/panels", panelsSpinBox->value());
    settings.setValue("paneling/leDensity", leDensitySpinBox->value());
    settings.setValue("paneling/teDensity", teDensitySpinBox->value());
}

void MainWindow::setCurrentFile(const QString &path)
{
    fileText->document()->setModified(false);
    const QString shownName = path.isEmpty() ? QStringLiteral("none") : strippedName(path);
    setWindowTitle(tr("%1 - %2[*]").arg(tr("Liftwise"), shownName));
    updateModified();
}

QString MainWindow::strippedName(const QString &path) { return QFileInfo(path).fileName(); }
