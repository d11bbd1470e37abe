#ifndef LIFTWISE_SAVEROOM_H
#define LIFTWISE_SAVEROOM_H

#include "coefficients.h"
#include "contourtemplate.h"
#include "reportpage.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QStringList>

#include <functional>

QT_BEGIN_NAMESPACE
class QAction;
class QMainWindow;
QT_END_NAMESPACE

class DesignRoom;
class Study;
class ViewRoom;

// Saving and the exports: the airfoil as a file, the diagram or plot on show as a picture, the
// contour at true size, the numbers behind the tab as CSV tables, the report as a PDF or on a
// printer, and the results on the clipboard. Each is named after the airfoil and captioned with
// where it comes from.
class SaveRoom : public QObject
{
    Q_OBJECT

public:
    SaveRoom(Study *study, DesignRoom *design, ViewRoom *view, QMainWindow *window);
    // Saves and exports another study from now on.
    void setStudy(Study *study);
    // The tab of the comparison and its table as CSV, which Export Data writes while it shows.
    void setComparison(const QWidget *page, std::function<QByteArray()> csv);
    // The other visible sections and the table of them all, for the report's comparison page.
    void setComparedSections(std::function<void(ReportPage::Contents *)> compared);

    // Save Airfoil As and the five exports, as the File menu lists them.
    QList<QAction *> actions() const;
    QAction *printAction() const { return printAct; }
    QAction *reportDetailsAction() const { return reportDetailsAct; }
    QAction *copyAction() const { return copyAct; }

    // File > Save Airfoil As: asks for the name and writes the airfoil, reshaped as it is.
    void saveAs();

signals:
    // The airfoil is written to path.
    void saved(const QString &path);

private:
    void createActions();
    // Whether a save may go on when the section it writes misses the last targets: asked
    // first, with Reach Targets offered; true when it need not be asked.
    bool mayMissTargets();
    void exportDiagram();
    void exportContour();
    void exportRibs();
    // The CSV tables behind the tab on show, the report as a PDF, the report on a printer.
    void exportData();
    void exportReport();
    void printReport();
    // The author and the course the report's title block names, kept in the settings.
    void editReportDetails();
    // All that the report shows of the study as it stands, its convergence waited for.
    ReportPage::Contents reportContents();
    void copyResults();
    // The tables behind the tab on show, each under its name: the stem followed by the table's.
    QList<QPair<QString, QByteArray>> shownTables(const QString &stem);
    // The same tables' own names, "-camber.csv", each with what makes it, not yet made.
    QList<QPair<QString, std::function<QByteArray()>>> shownTableMakers();
    // Whether the files there already at the paths may be replaced, asked once for all.
    bool mayReplace(const QStringList &paths);
    // Where the results come from, ahead of them when they are copied: the file's path, the
    // paneling and the targets of the Modify presses, so that they can be worked out again.
    QStringList studyLines() const;
    // The line below an exported picture: the airfoil's title, the file's name, the paneling.
    QString exportCaption() const;
    // A name for a file written from the airfoil: in the folder of the last save (the airfoil's
    // own at first), the airfoil's base name followed by suffix.
    QString proposedPath(const QString &suffix) const;
    // The name a print job, and a print to a file, takes: the airfoil file's base name.
    QString documentName() const;
    // The name a cutting drawing goes to, and its type by the name or the filter chosen; an
    // empty name where the user cancelled.
    QString askDrawingPath(
        const QString &title, const QString &proposed, ContourTemplate::Type *type);
    // Says why the write to path failed, or remembers its folder and says done.
    void tellWritten(const QString &path, const QString &problem, const QString &done);
    // The same for the files a save or an export wrote, naming each of them in the status bar.
    void tellSaved(const QStringList &paths, const QString &problem);
    // The convergence plot's coefficients once every count of its plan, and the extrapolation,
    // are in, waited for: a table or a page must not pass a curve cut short for the whole.
    QMap<int, Coefficients> finishedConvergence();

    Study *study = nullptr;
    const QWidget *comparisonPage = nullptr;
    std::function<QByteArray()> comparisonCsv;
    std::function<void(ReportPage::Contents *)> comparedSections;
    DesignRoom *design;
    ViewRoom *view;
    QMainWindow *window;
    QAction *saveAsAct;
    QAction *exportAct;
    QAction *exportContourAct;
    QAction *exportRibsAct;
    QAction *exportDataAct;
    QAction *exportReportAct;
    QAction *printAct;
    QAction *reportDetailsAct;
    QAction *copyAct;
};

#endif // LIFTWISE_SAVEROOM_H
