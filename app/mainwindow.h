#ifndef LIFTWISE_MAINWINDOW_H
#define LIFTWISE_MAINWINDOW_H

#include <QMainWindow>

QT_BEGIN_NAMESPACE
class QAction;
class QGroupBox;
class QMenu;
class QSplitter;
class QTextEdit;
QT_END_NAMESPACE

class Camberline;
class ComparisonRoom;
class DesignRoom;
class OpenRoom;
class SaveRoom;
class SectionRoom;
class Study;
class ViewRoom;
class Workspace;

// The window: the study, the rooms that act on it (opening, saving and exporting, design, the
// view), the panels that show it, and the menus that collect the rooms' actions.
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

private:
    void about();
    void createActions();
    void createMenus();
    void createStatusBar();
    void createGridGroupBox();
    void createPanelingGroup();
    void createModifyGroup();
    // The window's place and the splitters', with the rooms' own settings, kept across runs.
    void readSettings();
    void writeSettings();
    // Refresh the panels from the study: a new file, a new or reshaped paneled line.
    void showFileLines();
    // The results panel's rows: each panel's number, x/c at its middle, width and angle.
    static QStringList panelTable(const Camberline &line);
    void panelingRegenerateDisplay();
    // Follows the study's changes in the panels, and works out its convergence.
    void watchStudy();
    // Shows another section, and has the rooms act on it.
    void showStudy(Study *now, Study *before);

    // The sections held; the panels and the rooms act on the current one, study.
    Workspace *workspace;
    Study *study;
    ViewRoom *viewRoom;
    DesignRoom *designRoom;
    SaveRoom *saveRoom;
    OpenRoom *openRoom;
    SectionRoom *sectionRoom;
    ComparisonRoom *comparisonRoom;
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
    QMenu *fileMenu;
    QMenu *editMenu;
    QMenu *designMenu;
    QMenu *compareMenu;
    QMenu *viewMenu;
    QMenu *helpMenu;
    QAction *exitAct;
    QAction *aboutAct;
    QAction *aboutQtAct;
};

#endif // LIFTWISE_MAINWINDOW_H
