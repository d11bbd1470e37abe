#include "viewroom.h"

#include "chartview.h"
#include "convergencechart.h"
#include "diagramscene.h"
#include "diagramview.h"
#include "loadingchart.h"
#include "study.h"
#include "studystep.h"

#include <QtWidgets>

namespace {

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

ViewRoom::ViewRoom(const Study *study, QMainWindow *window)
    : QObject(window)
    , scene(new DiagramScene(study, this))
{
    createDiagramTabs(study);
    createActions();
    // Where the mouse points in the diagram, in chords, at the status bar's right.
    auto *pointed = new QLabel;
    pointed->setAccessibleName(tr("pointer position"));
    window->statusBar()->addPermanentWidget(pointed);
    connect(view, &DiagramView::pointed, pointed, &QLabel::setText);
    setStudy(study);
}

void ViewRoom::setStudy(const Study *next)
{
    enableWhileLoaded({fitAct}, study, next);
    study = next;
    scene->setStudy(study);
    loadingChart->setStudy(study);
    convergenceChart->setStudy(study);
}

QList<QAction *> ViewRoom::actions() const
{
    return {fitAct, showDifferenceAct, nextTabAct, previousTabAct};
}

void ViewRoom::createDiagramTabs(const Study *study)
{
    view = new DiagramView(scene);
    view->setAccessibleName(tr("diagram"));
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
    connect(diagramTabs, &QTabWidget::currentChanged, this, &ViewRoom::diagramTabChanged);
}

void ViewRoom::createActions()
{
    fitAct = new QAction(tr("Fit Airfoil"), this);
    fitAct->setShortcut(QKeySequence(tr("Ctrl+0")));
    fitAct->setStatusTip(tr("Scale and centre the airfoil in the diagram"));
    connect(fitAct, &QAction::triggered, this, &ViewRoom::fitShown);
    // Nothing to fit before a file is loaded.
    fitAct->setEnabled(false);

    showDifferenceAct = new QAction(tr("Show Difference"), this);
    showDifferenceAct->setCheckable(true);
    showDifferenceAct->setStatusTip(
        tr("Draw how far Modify moved the camber line, enlarged, along the chord"));
    connect(showDifferenceAct, &QAction::toggled, scene, &DiagramScene::setDifferenceVisible);

    // From anywhere in the window, as in a browser, round from the last tab to the first.
    nextTabAct = new QAction(tr("Next Tab"), this);
    nextTabAct->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    nextTabAct->setStatusTip(tr("Show the next of the diagram and the plots"));
    connect(nextTabAct, &QAction::triggered, this, [this] { stepTab(1); });
    // Shift+Tab comes as Backtab or as Tab with Shift, by platform; the menu shows the first,
    // as the keys are labelled.
    previousTabAct = new QAction(tr("Previous Tab"), this);
    previousTabAct->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
        QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    previousTabAct->setStatusTip(tr("Show the previous of the diagram and the plots"));
    connect(previousTabAct, &QAction::triggered, this, [this] { stepTab(-1); });
}

QWidget *ViewRoom::shownDiagram() const
{
    const QList<QWidget *> shown {view, loadingChart, convergenceChart};
    return shown.value(diagramTabs->currentIndex(), view);
}

void ViewRoom::fitShown()
{
    if (auto *chart = qobject_cast<ChartView *>(shownDiagram()))
        chart->fit();
    else
        view->fitContour();
}

void ViewRoom::stepTab(int step)
{
    const int count = diagramTabs->count();
    diagramTabs->setCurrentIndex((diagramTabs->currentIndex() + step + count) % count);
}

void ViewRoom::diagramTabChanged()
{
    const bool diagram = shownDiagram() == view;
    fitAct->setText(diagram ? tr("Fit Airfoil") : tr("Fit Plot"));
    fitAct->setStatusTip(diagram ? tr("Scale and centre the airfoil in the diagram")
                                 : tr("Show the whole range of the plot's x axis"));
}

void ViewRoom::readSettings(const QSettings &settings)
{
    showDifferenceAct->setChecked(settings.value("view/showDifference", false).toBool());
}

void ViewRoom::writeSettings(QSettings *settings) const
{
    settings->setValue("view/showDifference", showDifferenceAct->isChecked());
}
