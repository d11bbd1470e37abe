#include "comparisonroom.h"

#include "comparisonmodel.h"
#include "convergencechart.h"
#include "designroom.h"
#include "diagramdrawing.h"
#include "diagramscene.h"
#include "filesystem.h"
#include "loadingchart.h"
#include "openroom.h"
#include "study.h"
#include "viewroom.h"
#include "workspace.h"

#include <QtWidgets>

namespace {

// A square of the section's colour, as the list shows beside its name.
QIcon swatch(const QColor &colour)
{
    QPixmap square(12, 12);
    square.fill(colour);
    return QIcon(square);
}

} // namespace

ComparisonRoom::ComparisonRoom(Workspace *workspace, DesignRoom *design, OpenRoom *opening,
    ViewRoom *view, QMainWindow *window)
    : QObject(window)
    , workspace(workspace)
    , design(design)
    , opening(opening)
    , view(view)
    , window(window)
{
    sectionList = new QListWidget;
    sectionList->setAccessibleName(tr("sections"));
    sectionList->setToolTip(
        tr("The sections compared: the one chosen is current; the checked ones are drawn"));
    sectionsDock = new QDockWidget(tr("Sections"), window);
    sectionsDock->setObjectName(QStringLiteral("sections"));
    sectionsDock->setWidget(sectionList);
    // A single section needs no list: the window's room is the diagram's.
    sectionsDock->hide();
    connect(sectionList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing)
            this->workspace->setCurrent(row);
    });
    connect(sectionList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!showing)
            this->workspace->setVisible(sectionList->row(item), item->checkState() == Qt::Checked);
    });

    addCopyAct = new QAction(tr("Add to Comparison"), this);
    addCopyAct->setStatusTip(tr("Keep the current section as it stands beside the others"));
    connect(addCopyAct, &QAction::triggered, this, &ComparisonRoom::addCopy);
    addFilesAct = new QAction(tr("Add Files..."), this);
    addFilesAct->setStatusTip(tr("Open airfoil files as sections to compare"));
    connect(addFilesAct, &QAction::triggered, this, &ComparisonRoom::askForFiles);
    removeAct = new QAction(tr("Remove Section"), this);
    removeAct->setStatusTip(tr("Take the current section out of the comparison"));
    connect(removeAct, &QAction::triggered, this, &ComparisonRoom::removeCurrent);

    createTable();
    connect(workspace, &Workspace::sectionsChanged, this, &ComparisonRoom::showSections);
    connect(opening, &OpenRoom::filesDropped, this, &ComparisonRoom::addFiles);
    showSections();
}

void ComparisonRoom::createTable()
{
    model = new ComparisonModel(this);
    tableView = new QTableView;
    tableView->setModel(model);
    tableView->setSortingEnabled(true);
    tableView->sortByColumn(-1, Qt::AscendingOrder);
    tableView->setAccessibleName(tr("comparison"));
    tableView->verticalHeader()->hide();
    // Rows of a line of text, columns as wide as their values.
    tableView->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    baselineBox = new QComboBox;
    baselineBox->setAccessibleName(tr("baseline"));
    connect(baselineBox, &QComboBox::activated, this, [this](int i) {
        baseline = this->workspace->study(baselineBox->itemData(i).toInt());
        showTable();
    });
    auto *copy = new QPushButton(tr("Copy Table"));
    copy->setToolTip(tr("Copy the table as tab-separated text, as a spreadsheet pastes it"));
    connect(copy, &QPushButton::clicked, this,
        [this] { QGuiApplication::clipboard()->setText(model->comparison().text()); });
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(tr("Δ from")));
    bar->addWidget(baselineBox, 1);
    bar->addWidget(copy);
    page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(bar);
    layout->addWidget(tableView);
    view->tabWidget()->addTab(page, tr("Comparison"));
}

QByteArray ComparisonRoom::tableCsv() const { return model->comparison().csv(); }

void ComparisonRoom::follow(Study *study)
{
    // A section's name is its title too, which a load or a design step changes.
    connect(study, &Study::fileChanged, this, &ComparisonRoom::showSections, Qt::UniqueConnection);
    // The table holds the section a save writes, which a press or a paneling step after presses
    // changes, and a mere paneling step does not: the step's path stays free of it.
    connect(study, &Study::lineChanged, this, &ComparisonRoom::sectionMayHaveChanged,
        Qt::UniqueConnection);
    connect(&study->convergence(), &ConvergenceModel::extrapolationChanged, this,
        &ComparisonRoom::showTable, Qt::UniqueConnection);
    // Every section compared has its values carried to the limit, and its curves sampled for
    // the Convergence tab, in the background as the current one's are.
    study->convergence().setExtrapolating(true);
    study->convergence().setSampling(true);
}

void ComparisonRoom::sectionMayHaveChanged()
{
    const auto *study = qobject_cast<const Study *>(sender());
    if (!study || shownSections.value(study) != study->section())
        showTable();
}

void ComparisonRoom::showTable()
{
    QList<const Study *> studies;
    QStringList names;
    int baselineRow = -1;
    shownSections.clear();
    const QSignalBlocker blocker(baselineBox);
    baselineBox->clear();
    if (workspace->indexOf(baseline) < 0)
        baseline = workspace->current();
    for (int i = 0; i < workspace->count(); ++i) {
        const Study *study = workspace->study(i);
        if (!study->isLoaded())
            continue;
        if (study == baseline)
            baselineRow = int(studies.size());
        studies << study;
        names << workspace->name(i);
        shownSections[study] = study->section();
        baselineBox->addItem(workspace->name(i), i);
    }
    baselineBox->setCurrentIndex(baselineRow);
    model->setComparison(Comparison::of(studies, names, baselineRow));
}

void ComparisonRoom::compareIn(ReportPage::Contents *contents) const
{
    contents->others.clear();
    QList<const Study *> studies;
    QStringList names;
    int baselineRow = -1;
    int currentRow = -1;
    for (int i = 0; i < workspace->count(); ++i) {
        const Study *study = workspace->study(i);
        if (!workspace->isVisible(i) && i != workspace->currentIndex())
            continue;
        if (!study->isLoaded())
            continue;
        if (study == baseline)
            baselineRow = int(studies.size());
        if (i == workspace->currentIndex())
            currentRow = int(studies.size());
        else
            contents->others.append(
                {study, DiagramColour::section(workspace->colour(i)), workspace->name(i)});
        studies << study;
        names << workspace->name(i);
    }
    if (contents->others.isEmpty())
        return;
    contents->comparison
        = Comparison::of(studies, names, baselineRow >= 0 ? baselineRow : currentRow);
}

QList<QAction *> ComparisonRoom::actions() const { return {addCopyAct, addFilesAct, removeAct}; }

void ComparisonRoom::showSections()
{
    showing = true;
    sectionList->clear();
    QList<DiagramScene::Overlay> overlays;
    for (int i = 0; i < workspace->count(); ++i) {
        const QColor &colour = DiagramColour::section(workspace->colour(i));
        auto *item = new QListWidgetItem(swatch(colour), workspace->name(i), sectionList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(workspace->isVisible(i) ? Qt::Checked : Qt::Unchecked);
        const Study *study = workspace->study(i);
        if (i != workspace->currentIndex() && workspace->isVisible(i) && study->isLoaded())
            overlays.append({study, colour, workspace->name(i)});
    }
    sectionList->setCurrentRow(workspace->currentIndex());
    showing = false;
    // The list shows itself when a second section comes; one the user hid stays hidden after.
    if (workspace->count() > 1 && workspace->count() > listed)
        sectionsDock->show();
    listed = workspace->count();
    addCopyAct->setEnabled(workspace->current()->isLoaded());
    view->diagramScene()->setOverlays(overlays);
    view->loadingPlot()->setOverlays(overlays);
    view->convergencePlot()->setOverlays(overlays);
    for (int i = 0; i < workspace->count(); ++i)
        follow(workspace->study(i));
    showTable();
}

void ComparisonRoom::addCopy()
{
    design->finishPanelingStep();
    if (!workspace->addCopy())
        window->statusBar()->showMessage(tr("The section would be refused as it stands"), 5000);
}

void ComparisonRoom::askForFiles()
{
    QSettings settings;
    const QStringList paths = QFileDialog::getOpenFileNames(window, tr("Add airfoil datafiles"),
        settings.value("openFolder", QStringLiteral(".")).toString(),
        tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (paths.isEmpty())
        return;
    settings.setValue("openFolder", QFileInfo(paths.first()).absolutePath());
    addFiles(paths);
}

void ComparisonRoom::addFiles(const QStringList &paths)
{
    design->finishPanelingStep();
    const Paneling paneling = design->fieldsPaneling();
    QStringList refusals;
    Study *first = nullptr;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString &path : paths) {
        Study *study = workspace->add(false);
        // A pipe or a device would block the window until somebody writes to it.
        const Study::Refusal refusal = FileSystem::kind(path) == FileSystem::Kind::Special
            ? Study::Refusal {Study::Refusal::Unreadable, FileSystem::notRegular()}
            : study->loadFile(path, paneling);
        if (refusal) {
            workspace->remove(workspace->indexOf(study));
            refusals << refusal.message(path);
        } else if (!first) {
            first = study;
        }
    }
    QApplication::restoreOverrideCursor();
    // The window's first section, still empty, gives way to the first added.
    Study *empty = workspace->current();
    if (first && !empty->isLoaded()) {
        workspace->setCurrent(workspace->indexOf(first));
        workspace->remove(workspace->indexOf(empty));
    }
    // Their names and lines came with their loads.
    showSections();
    if (!refusals.isEmpty())
        QMessageBox::warning(window, tr("Liftwise"), refusals.join(QStringLiteral("\n\n")));
    window->statusBar()->showMessage(
        tr("%n section(s) added", nullptr, int(paths.size() - refusals.size())), 3000);
}

void ComparisonRoom::removeCurrent()
{
    if (!opening->maybeSave())
        return;
    workspace->remove(workspace->currentIndex());
}

bool ComparisonRoom::maybeSaveAll()
{
    for (int i = 0; i < workspace->count(); ++i) {
        if (!design->hasUnsavedWork(workspace->study(i)))
            continue;
        workspace->setCurrent(i);
        if (!opening->maybeSave())
            return false;
    }
    return true;
}
