#ifndef LIFTWISE_COMPARISONROOM_H
#define LIFTWISE_COMPARISONROOM_H

#include "reportpage.h"
#include "study.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QAction;
class QComboBox;
class QTableView;
class QDockWidget;
class QListWidget;
class QMainWindow;
QT_END_NAMESPACE

class ComparisonModel;
class DesignRoom;
class OpenRoom;
class ViewRoom;
class Workspace;

// The sections compared: the list of them in a dock, each with its colour, its name and whether
// it is shown; Add to Comparison, Add Files... and Remove Section; and the other visible sections
// drawn under the current one. Choosing a section in the list makes it the current one; nothing
// is lost by it, and removing one with unsaved work asks first.
class ComparisonRoom : public QObject
{
    Q_OBJECT

public:
    ComparisonRoom(Workspace *workspace, DesignRoom *design, OpenRoom *opening, ViewRoom *view,
        QMainWindow *window);

    // Add to Comparison, Add Files... and Remove Section, as the menu lists them.
    QList<QAction *> actions() const;
    QDockWidget *dock() const { return sectionsDock; }
    QListWidget *list() const { return sectionList; }
    // The Comparison tab: the sections' values side by side, each beside its difference from
    // the baseline chosen above them; and its table as CSV, for Export Data.
    QWidget *tablePage() const { return page; }
    QByteArray tableCsv() const;
    // The report's comparison page: the visible sections other than the current one, and the
    // table of all visible ones, against the baseline chosen where it is visible (else the
    // current section). Nothing where the current section is the only one shown.
    void compareIn(ReportPage::Contents *contents) const;

    // Adds each file as a section of its own at the fields' paneling; the refused ones are told
    // in one message box. The first becomes current where the current section holds no file.
    void addFiles(const QStringList &paths);
    // Asks about each section with unsaved work, showing it: true to go on, false when the user
    // cancelled.
    bool maybeSaveAll();

private:
    void addCopy();
    void askForFiles();
    void removeCurrent();
    // The list and the overlays, as the workspace stands.
    void showSections();
    void createTable();
    // The table and the baselines to choose from, as the sections stand.
    void showTable();
    // Works out the table when a section changes: its file, the section a save writes or its
    // extrapolation.
    void follow(Study *study);
    // A line changed: the table again only where the section a save writes did too.
    void sectionMayHaveChanged();

    Workspace *workspace;
    DesignRoom *design;
    OpenRoom *opening;
    ViewRoom *view;
    QMainWindow *window;
    QDockWidget *sectionsDock;
    QListWidget *sectionList;
    QAction *addCopyAct;
    QAction *addFilesAct;
    QAction *removeAct;
    QWidget *page;
    QTableView *tableView;
    ComparisonModel *model;
    QComboBox *baselineBox;
    // The section the deltas are taken from: the first current one until the user picks.
    const Study *baseline = nullptr;
    // The section of each study the table shows.
    QHash<const Study *, const Study::Section *> shownSections;
    bool showing = false;
    // How many sections the list showed last.
    int listed = 1;
};

#endif // LIFTWISE_COMPARISONROOM_H
