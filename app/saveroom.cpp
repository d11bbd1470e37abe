#include "saveroom.h"

#include "contourtemplate.h"
#include "convergencechart.h"
#include "datatables.h"
#include "designroom.h"
#include "diagramexport.h"
#include "diagramview.h"
#include "filesystem.h"
#include "loadingchart.h"
#include "report.h"
#include "reportpage.h"
#include "ribsdialog.h"
#include "study.h"
#include "studystep.h"
#include "viewroom.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QtWidgets>

namespace {

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

// Why a file could not be written, as every write says it.
QString unwritable(const QString &path, const QString &problem)
{
    return Study::Refusal {Study::Refusal::Unwritable, problem}.message(path);
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.value(0);
    return QObject::tr("%1 and %2")
        .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.last());
}

} // namespace

SaveRoom::SaveRoom(Study *study, DesignRoom *design, ViewRoom *view, QMainWindow *window)
    : QObject(window)
    , design(design)
    , view(view)
    , window(window)
{
    createActions();
    setStudy(study);
}

void SaveRoom::setStudy(Study *next)
{
    // Nothing to save, export, print or copy before a load; every load has all of it.
    enableWhileLoaded(actions() + QList<QAction *> {printAct, copyAct}, study, next);
    study = next;
}

QList<QAction *> SaveRoom::actions() const
{
    return {saveAsAct, exportAct, exportContourAct, exportRibsAct, exportDataAct, exportReportAct};
}

void SaveRoom::createActions()
{
    saveAsAct = new QAction(tr("Save Airfoil As..."), this);
    saveAsAct->setShortcut(QKeySequence(tr("Ctrl+Shift+S")));
    saveAsAct->setStatusTip(tr("Save the airfoil, reshaped by Modify, as an airfoil file"));
    connect(saveAsAct, &QAction::triggered, this, &SaveRoom::saveAs);

    exportAct = new QAction(tr("Export Diagram..."), this);
    exportAct->setStatusTip(tr("Save the diagram on show as a PNG image or an SVG drawing"));
    connect(exportAct, &QAction::triggered, this, &SaveRoom::exportDiagram);

    exportContourAct = new QAction(tr("Export Contour..."), this);
    exportContourAct->setStatusTip(
        tr("Save the contour at true size, for cutting or printing, as DXF, SVG or PDF"));
    connect(exportContourAct, &QAction::triggered, this, &SaveRoom::exportContour);
    exportRibsAct = new QAction(tr("Export Ribs..."), this);
    exportRibsAct->setStatusTip(tr("Save a tapered wing's ribs at true size on sheets to cut"));
    connect(exportRibsAct, &QAction::triggered, this, &SaveRoom::exportRibs);

    exportDataAct = new QAction(tr("Export Data..."), this);
    exportDataAct->setStatusTip(tr("Save the numbers behind the tab on show as CSV tables"));
    connect(exportDataAct, &QAction::triggered, this, &SaveRoom::exportData);
    exportReportAct = new QAction(tr("Export Report..."), this);
    exportReportAct->setStatusTip(tr("Save the study as a report on A4 pages, a PDF document"));
    connect(exportReportAct, &QAction::triggered, this, &SaveRoom::exportReport);
    printAct = new QAction(tr("Print..."), this);
    printAct->setShortcut(QKeySequence::Print);
    printAct->setStatusTip(tr("Print the study as a report on A4 pages"));
    connect(printAct, &QAction::triggered, this, &SaveRoom::printReport);
    reportDetailsAct = new QAction(tr("Report &Details..."), this);
    reportDetailsAct->setStatusTip(tr("The author and the course the report's title names"));
    connect(reportDetailsAct, &QAction::triggered, this, &SaveRoom::editReportDetails);

    copyAct = new QAction(tr("Copy Results"), this);
    copyAct->setShortcut(QKeySequence(tr("Ctrl+Shift+C")));
    copyAct->setStatusTip(tr("Copy the three panels' texts to the clipboard"));
    connect(copyAct, &QAction::triggered, this, &SaveRoom::copyResults);
}

bool SaveRoom::mayMissTargets()
{
    if (!study->sectionMissesTargets())
        return true;
    const Coefficients &saved = study->section()->referenceCoefficients;
    QMessageBox box(QMessageBox::Warning, tr("Liftwise"),
        tr("The saved section gives alpha0 %1 deg, cm0 %2, not the targets: the presses were "
           "made on the %3-panel line.")
            .arg(Format::fixed(degrees(saved.alpha0), 3), Format::fixed(saved.cm0, 4))
            .arg(study->paneling().panels),
        QMessageBox::NoButton, window);
    QPushButton *reach = box.addButton(tr("Reach Targets and Save"), QMessageBox::AcceptRole);
    QPushButton *asItIs = box.addButton(tr("Save As It Is"), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(reach);
    box.exec();
    if (box.clickedButton() == reach)
        return design->reachTargets();
    return box.clickedButton() == asItIs;
}

void SaveRoom::saveAs()
{
    design->finishPanelingStep();
    if (!mayMissTargets())
        return;
    const QFileInfo loaded(study->path());
    const QString proposed
        = loaded.dir().filePath(loaded.completeBaseName() + QStringLiteral("-modified.dat"));
    const QString path = askSavePath(window, tr("Save airfoil datafile"), proposed,
        tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (path.isEmpty())
        return;
    if (const Study::Refusal refusal = study->save(path)) {
        QMessageBox::warning(window, tr("Liftwise"), refusal.message(path));
        return;
    }
    QSettings().setValue("saveFolder", QFileInfo(path).absolutePath());
    design->setSaved();
    emit saved(path);
    tellSaved({path}, QString());
}

QString SaveRoom::documentName() const
{
    // A print dialog proposes DOCNAME.pdf, cut at the name's first dot: the file's base name
    // has none to cut at, where a title might ("naca 2412 by naca.exe").
    const QString base = QFileInfo(study->path()).completeBaseName();
    return Format::printable(base.isEmpty() ? study->data().title : base);
}

QString SaveRoom::proposedPath(const QString &suffix) const
{
    const QFileInfo loaded(study->path());
    const QString folder = QSettings().value("saveFolder", loaded.absolutePath()).toString();
    return QDir(folder).filePath(loaded.completeBaseName() + suffix);
}

void SaveRoom::tellSaved(const QStringList &paths, const QString &problem)
{
    if (!problem.isEmpty()) {
        QMessageBox::warning(window, tr("Liftwise"), unwritable(paths.value(0), problem));
        return;
    }
    QSettings().setValue("saveFolder", QFileInfo(paths.value(0)).absolutePath());
    QStringList shown;
    for (const QString &path : paths)
        shown << QDir::toNativeSeparators(path);
    window->statusBar()->showMessage(tr("Saved %1").arg(listed(shown)), 5000);
}

void SaveRoom::tellWritten(const QString &path, const QString &problem, const QString &done)
{
    if (!problem.isEmpty()) {
        QMessageBox::warning(window, tr("Liftwise"), unwritable(path, problem));
        return;
    }
    QSettings().setValue("saveFolder", QFileInfo(path).absolutePath());
    // Where it went, as every save says it.
    window->statusBar()->showMessage(tr("%1: %2").arg(done, QDir::toNativeSeparators(path)), 5000);
}

void SaveRoom::exportDiagram()
{
    design->finishPanelingStep();
    QTabWidget *tabs = view->tabWidget();
    const QString tab = tabs->tabText(tabs->currentIndex()).toLower();
    const QString proposed = proposedPath(QLatin1Char('-') + tab + QStringLiteral(".png"));
    const QString path = askSavePath(
        window, tr("Export diagram"), proposed, tr("PNG image (*.png)\nSVG drawing (*.svg)"));
    if (path.isEmpty())
        return;
    // A picture for a report: the hint is for the window's user.
    view->diagramView()->setHintVisible(false);
    const QString problem = exportWidget(view->shownDiagram(), path, exportCaption());
    view->diagramView()->setHintVisible(true);
    tellSaved({path}, problem);
}

void SaveRoom::exportData()
{
    design->finishPanelingStep();
    // 1. The stem of the files' names, and the tables of the tab on show. The dialog says which
    //    files the name gives: one name, several tables.
    const QString proposed = proposedPath(QString());
    QStringList suffixes;
    for (const auto &[suffix, make] : shownTableMakers())
        suffixes << suffix;
    const QString stemName = QFileInfo(proposed).fileName();
    QStringList files;
    for (const QString &suffix : std::as_const(suffixes))
        files << stemName + suffix;
    // The tables' own names are asked about below: the name chosen is only their stem.
    SaveDialog dialog(window, tr("Export data: %1").arg(listed(files)), proposed,
        tr("CSV tables (*.csv)"), QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::FileName, tr("Name before %1:").arg(listed(suffixes)));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString stem = dialog.selectedFiles().value(0);
    if (stem.isEmpty())
        return;
    if (stem.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        stem.chop(4);
    const QList<QPair<QString, QByteArray>> tables = shownTables(stem);

    // 2. Files there already are replaced only when the user says so.
    QStringList paths;
    for (const auto &[path, table] : tables)
        paths << path;
    if (!mayReplace(paths))
        return;

    // 3. Each table whole or not at all; those written before a failure are named all the same.
    QStringList written;
    for (const auto &[path, table] : tables) {
        if (const QString problem = FileSystem::saveFile(path, table); !problem.isEmpty()) {
            QMessageBox::warning(window, tr("Liftwise"), unwritable(path, problem));
            break;
        }
        written << path;
    }
    if (!written.isEmpty())
        tellSaved(written, QString());
}

void SaveRoom::setComparison(const QWidget *page, std::function<QByteArray()> csv)
{
    comparisonPage = page;
    comparisonCsv = std::move(csv);
}

QList<QPair<QString, QByteArray>> SaveRoom::shownTables(const QString &stem)
{
    QList<QPair<QString, QByteArray>> tables;
    for (const auto &[suffix, make] : shownTableMakers())
        tables.append({stem + suffix, make()});
    return tables;
}

QList<QPair<QString, std::function<QByteArray()>>> SaveRoom::shownTableMakers()
{
    if (comparisonPage && view->tabWidget()->currentWidget() == comparisonPage)
        return {{QStringLiteral("-comparison.csv"), comparisonCsv}};
    const QWidget *shown = view->shownDiagram();
    if (shown == view->diagramView()) {
        return {{QStringLiteral("-camber.csv"), [this] { return DataTables::camber(*study); }},
            {QStringLiteral("-contour.csv"), [this] { return DataTables::contour(*study); }}};
    }
    if (shown == view->loadingPlot()) {
        // The paneled line's, and at the reference paneling the section's as loaded and, once
        // pressed, the reshaped section's: each under its name.
        QList<QPair<QString, std::function<QByteArray()>>> tables {
            {QStringLiteral("-loading.csv"),
                [this] {
                    return DataTables::loading(
                        study->paneledLoading(), study->paneledCoefficients().alphaSF);
                }},
            {QStringLiteral("-loading-as-loaded.csv"), [this] {
                 return DataTables::loading(
                     study->referenceLoading(), study->referenceCoefficients().alphaSF);
             }}};
        if (study->reshapedSection())
            tables.append({QStringLiteral("-loading-reshaped-section.csv"), [this] {
                               const Study::Section *section = study->reshapedSection();
                               return DataTables::loading(section->referenceLoading,
                                   section->referenceCoefficients.alphaSF);
                           }});
        return tables;
    }
    return {{QStringLiteral("-convergence.csv"),
        [this] { return DataTables::convergence(finishedConvergence()); }}};
}

bool SaveRoom::mayReplace(const QStringList &paths)
{
    QStringList existing;
    for (const QString &path : paths)
        if (QFileInfo::exists(path))
            existing << QFileInfo(path).fileName();
    if (existing.isEmpty())
        return true;
    const QString question = existing.size() == 1
        ? tr("%1 already exists.\nDo you want to replace it?").arg(existing.first())
        : tr("%1 already exist.\nDo you want to replace them?")
              .arg(existing.join(QStringLiteral(", ")));
    return QMessageBox::question(window, tr("Liftwise"), question) == QMessageBox::Yes;
}

QMap<int, Coefficients> SaveRoom::finishedConvergence()
{
    ConvergenceModel &convergence = study->convergence();
    if (!convergence.isDone()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        convergence.waitForFinished();
        QApplication::restoreOverrideCursor();
    }
    return convergence.results();
}

void SaveRoom::setComparedSections(std::function<void(ReportPage::Contents *)> compared)
{
    comparedSections = std::move(compared);
}

namespace {

const QString AuthorKey = QStringLiteral("report/author");
const QString CourseKey = QStringLiteral("report/course");

} // namespace

void SaveRoom::editReportDetails()
{
    QDialog dialog(window);
    dialog.setWindowTitle(tr("Report details"));
    QSettings settings;
    auto *author = new QLineEdit(settings.value(AuthorKey).toString());
    auto *course = new QLineEdit(settings.value(CourseKey).toString());
    for (QLineEdit *field : {author, course}) {
        field->setMaxLength(200);
        field->setMinimumWidth(320);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(new QLabel(tr("The report's title block names them; kept for every report.")));
    form->addRow(tr("&Author:"), author);
    form->addRow(tr("&Course:"), course);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.setValue(AuthorKey, author->text().trimmed());
    settings.setValue(CourseKey, course->text().trimmed());
}

ReportPage::Contents SaveRoom::reportContents()
{
    ReportPage::Contents contents;
    contents.study = study;
    contents.convergence = finishedConvergence();
    contents.when = QDateTime::currentDateTime();
    const QSettings settings;
    contents.author = settings.value(AuthorKey).toString();
    contents.course = settings.value(CourseKey).toString();
    if (comparedSections)
        comparedSections(&contents);
    return contents;
}

void SaveRoom::exportReport()
{
    design->finishPanelingStep();
    const QString proposed = proposedPath(QStringLiteral("-report.pdf"));
    const QString path
        = askSavePath(window, tr("Export report"), proposed, tr("PDF document (*.pdf)"));
    if (path.isEmpty())
        return;
    const ReportPage::Contents contents = reportContents();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString problem = ReportPage::writePdf(path, contents);
    QApplication::restoreOverrideCursor();
    tellWritten(path, problem, tr("Report exported"));
}

void SaveRoom::printReport()
{
    design->finishPanelingStep();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The page keeps margins of its own, wider than a printer's.
    printer.setFullPage(true);
    printer.setDocName(documentName());
    QPrintDialog dialog(&printer, window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ReportPage::Contents contents = reportContents();
    // Printed to a file, the page is a PDF written as every other file is: checked to the end,
    // never over a pipe or a device, the old file kept on any failure.
    const QString file
        = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString problem;
    if (!file.isEmpty())
        problem = ReportPage::writePdf(file, contents);
    else if (!ReportPage::paint(&printer, contents) || printer.printerState() == QPrinter::Error)
        problem = tr("the printer refused the page");
    QApplication::restoreOverrideCursor();
    if (!file.isEmpty()) {
        tellWritten(file, problem, tr("Report printed"));
    } else if (!problem.isEmpty()) {
        QMessageBox::warning(
            window, tr("Liftwise"), tr("Cannot print the report: %1.").arg(problem));
    } else {
        window->statusBar()->showMessage(tr("Report printed"), 2000);
    }
}

void SaveRoom::exportContour()
{
    design->finishPanelingStep();
    QSettings settings;
    bool ok = false;
    double chord = settings.value("contour/chord").toDouble(&ok);
    if (!ok || !(chord >= ContourTemplate::MinChord && chord <= ContourTemplate::MaxChord))
        chord = 200.0;
    chord = QInputDialog::getDouble(window, tr("Export contour"),
        tr("Chord in millimetres (%1):")
            .arg(Format::range(ContourTemplate::MinChord, ContourTemplate::MaxChord)),
        chord, ContourTemplate::MinChord, ContourTemplate::MaxChord, ContourTemplate::ChordDecimals,
        &ok);
    if (!ok)
        return;
    settings.setValue("contour/chord", chord);
    ContourTemplate::Type type = ContourTemplate::Type::Unknown;
    const QString path = askDrawingPath(
        tr("Export contour"), proposedPath(QStringLiteral("-%1mm.dxf").arg(chord)), &type);
    if (!path.isEmpty())
        tellSaved({path}, ContourTemplate::of(*study, chord).save(path, type));
}

void SaveRoom::exportRibs()
{
    design->finishPanelingStep();
    RibsDialog ribs(study, window);
    if (ribs.exec() != QDialog::Accepted)
        return;
    ContourTemplate::Type type = ContourTemplate::Type::Unknown;
    const QString path
        = askDrawingPath(tr("Export ribs"), proposedPath(QStringLiteral("-ribs.dxf")), &type);
    if (!path.isEmpty())
        tellSaved({path}, ribs.ribSet().save(path, type));
}

QString SaveRoom::askDrawingPath(
    const QString &title, const QString &proposed, ContourTemplate::Type *type)
{
    SaveDialog dialog(window, title, proposed,
        tr("DXF drawing (*.dxf)\nSVG drawing (*.svg)\nPDF document (*.pdf)"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString path = dialog.selectedFiles().value(0);
    // A name of another extension is written as the chosen filter has it.
    *type = ContourTemplate::typeOf(path);
    if (*type == ContourTemplate::Type::Unknown)
        *type = ContourTemplate::typeOf(dialog.defaultSuffix().prepend(QLatin1Char('.')));
    return path;
}

QString SaveRoom::exportCaption() const
{
    return tr("%1 — %2 — %3")
               .arg(study->data().title, QFileInfo(study->path()).fileName(),
                   Report::panelingDescription(study->paneling()))
        + Report::pressesNote(study->presses().size());
}

QStringList SaveRoom::studyLines() const
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

void SaveRoom::copyResults()
{
    design->finishPanelingStep();
    study->convergence().waitForExtrapolation();
    QGuiApplication::clipboard()->setText(
        studyLines().join(QLatin1Char('\n')) + QLatin1Char('\n') + Report::analysisText(*study));
    window->statusBar()->showMessage(tr("Results copied"), 2000);
}
