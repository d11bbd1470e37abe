#ifndef LIFTWISE_VIEWROOM_H
#define LIFTWISE_VIEWROOM_H

#include <QList>
#include <QObject>

QT_BEGIN_NAMESPACE
class QAction;
class QMainWindow;
class QSettings;
class QTabWidget;
class QWidget;
QT_END_NAMESPACE

class ConvergenceChart;
class DiagramScene;
class DiagramView;
class LoadingChart;
class Study;

// The view: the diagram and the plots in their tabs, the fit of the one on show, the tab
// shown and the diagram's Show Difference. The window lays out the tabs.
class ViewRoom : public QObject
{
    Q_OBJECT

public:
    ViewRoom(const Study *study, QMainWindow *window);
    // Shows another study from now on.
    void setStudy(const Study *study);

    // Fit, Show Difference, Next Tab and Previous Tab, as the View menu lists them.
    QList<QAction *> actions() const;
    // Airfoil, Loading and Convergence, the plots in scroll areas.
    QTabWidget *tabWidget() const { return diagramTabs; }
    DiagramView *diagramView() const { return view; }
    DiagramScene *diagramScene() const { return scene; }
    LoadingChart *loadingPlot() const { return loadingChart; }
    ConvergenceChart *convergencePlot() const { return convergenceChart; }
    // The diagram or the plot on show.
    QWidget *shownDiagram() const;
    // Show Difference, kept across runs.
    void readSettings(const QSettings &settings);
    void writeSettings(QSettings *settings) const;

private:
    void createDiagramTabs(const Study *study);
    void createActions();
    // Fits the airfoil, or the plot, on show.
    void fitShown();
    // Shows the tab step tabs on, round from the last to the first.
    void stepTab(int step);
    void diagramTabChanged();

    const Study *study = nullptr;
    DiagramScene *scene;
    DiagramView *view;
    LoadingChart *loadingChart;
    ConvergenceChart *convergenceChart;
    QTabWidget *diagramTabs;
    QAction *fitAct;
    QAction *showDifferenceAct;
    QAction *nextTabAct;
    QAction *previousTabAct;
};

#endif // LIFTWISE_VIEWROOM_H
