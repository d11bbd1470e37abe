#ifndef LIFTWISE_MAINWINDOW_H
#define LIFTWISE_MAINWINDOW_H

#include "study.h"

#include <QMainWindow>
#include <QMap>
#include <QTimer>
#include <QUndoStack>

#include <functional>

QT_BEGIN_NAMESPACE
class QAction;
class QDoubleSpinBox;
class QGroupBox;
class QMenu;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTextEdit;
QT_END_NAMESPACE

class ConvergenceChart;
class DiagramScene;
class DiagramView;
class LoadingChart;
class RecentFilesMenu;
class Study;
struct Paneling;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();

    // Opens the file at path as File > Open does, without the dialog.
    void loadFile(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void open();
    void reload();
    void saveAs();
    void exportDiagram();
    void exportContour();
    // The CSV tables behind the tab on show, the report as a PDF, the report on a printer.
    void exportData();
    void exportReport();
    void printReport();
    void copyResults();
    void about();
    // Fits the airfoil, or the plot, on show.
    void fitShown();
    void diagramTabChanged();
    // Shows the tab step tabs on, round from the last to the first.
    void stepTab(int step);
    void panelingChanged();
    void runPanelingStep();
    void panelingStepped();
    void panelingEditFinished();
    void doModify();

private:
    // Asks whether to save a reshaping no save has written, before it would be lost: true to go
    // on (saved or discarded), false when the user cancels.
    bool maybeSave();
    // Files the user opens from the menus or a drop, after maybeSave.
    void openAsked(const QString &path);
    // Records the step just taken on the study as undoable, from the state before it.
    void pushStep(const QString &text, const Study::LineState &before);
    // Gives the study a state back and puts the paneling fields right, as undo and redo do.
    void showLineState(const Study::LineState &state);
    void updateModified();
    void undo();
    void redo();
    void createActions();
    void createMenus();
    void createStatusBar();
    void createGridGroupBox();
    void createDiagramTabs();
    void createPanelingGroup();
    void createModifyGroup();
    // The window's place, the paneling fields and the dialogs' folders, kept across runs.
    void readSettings();
    void writeSettings();
    void setCurrentFile(const QString &path);
    QString strippedName(const QString &path);
    // The diagram or the plot on show.
    QWidget *shownDiagram() const;
    // Where the results come from, ahead of them when they are copied: the file's path, the
    // paneling and the targets of the Modify presses, so that they can be worked out again.
    QStringList studyLines() const;
    // The line below an exported picture: the airfoil's title, the file's name, the paneling.
    QString exportCaption() const;
    // A name for a file written from the airfoil: in the folder of the last save (the airfoil's
    // own at first), the airfoil's base name followed by suffix.
    QString proposedPath(const QString &suffix) const;
    // Says why the write to path failed, or remembers its folder and says done.
    void tellWritten(const QString &path, const QString &problem, const QString &done);
    // The convergence plot's coefficients once every count of its plan, and the extrapolation,
    // are in, waited for: a table or a page must not pass a curve cut short for the whole.
    QMap<int, Coefficients> finishedConvergence();
    Paneling fieldsPaneling() const;
    // Runs a step of the study at the paneling, under the wait cursor when it needs a new
    // inversion.
    void busyStep(const Paneling &paneling, const std::function<void()> &step);
    // Runs the paneling step still waiting, if any, so that what follows sees its line.
    void finishPanelingStep();
    // Refresh the panels from the study: a new file, a new or reshaped paneled line.
    void showFile();
    void panelingRegenerateDisplay();

    QGroupBox *gridGroupBox;
    QTextEdit *fileText;
    QGroupBox *panelingGroupBox;
    QTextEdit *panelingText;
    QGroupBox *modifyGroupBox;
    QTextEdit *resultText;
    // Between the upper and the lower half, and between the diagram or the paneling fields and
    // the panels beside them; moved by the user, kept across runs.
    QSplitter *mainSplitter;
    QSplitter *upperSplitter;
    QSplitter *lowerSplitter;
    // Whether the settings held the splitters' places, and whether the first show has split.
    bool splitRestored = false;
    bool firstSplit = false;
    DiagramScene *scene;
    DiagramView *view;
    LoadingChart *loadingChart;
    ConvergenceChart *convergenceChart;
    // Airfoil, Loading and Convergence, the plots in scroll areas.
    QTabWidget *diagramTabs;
    Study *study;
    QSpinBox *panelsSpinBox;
    QDoubleSpinBox *leDensitySpinBox;
    QDoubleSpinBox *teDensitySpinBox;
    QDoubleSpinBox *alpha0SpinBox;
    QDoubleSpinBox *cm0SpinBox;
    QPushButton *modifyButton;
    // The paneled line was rebuilt by a step of a field's value since the last finished edit.
    bool lineFromStep = false;
    // Paneling steps wait here for the event loop, so that those queued while one computes
    // merge into one, at the fields' last values. The fields reach the window through it; as a
    // member it goes before the widgets do, so that the field that finishes its edit as the
    // window goes reaches nothing.
    QTimer panelingStep;
    // A member for the same reason: it says it is cleared as it goes.
    QUndoStack undoStack;
    QMenu *fileMenu;
    RecentFilesMenu *recentMenu;
    QMenu *editMenu;
    QMenu *viewMenu;
    QMenu *helpMenu;
    QAction *openAct;
    QAction *reloadAct;
    QAction *saveAsAct;
    QAction *exportAct;
    QAction *exportContourAct;
    QAction *exportDataAct;
    QAction *exportReportAct;
    QAction *printAct;
    QAction *exitAct;
    QAction *copyAct;
    QAction *undoAct;
    QAction *redoAct;
    // Fields set by the window itself, not the user: no step of theirs.
    bool settingFields = false;
    // The targets' values as their fields last showed them, for the step that changes them.
    double shownAlpha0 = 0.0;
    double shownCm0 = 0.0;
    QAction *fitAct;
    QAction *showDifferenceAct;
    QAction *nextTabAct;
    QAction *previousTabAct;
    QAction *aboutAct;
    QAction *aboutQtAct;
};

#endif // LIFTWISE_MAINWINDOW_H
