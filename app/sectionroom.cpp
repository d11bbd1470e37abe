#include "sectionroom.h"

#include "designroom.h"
#include "format.h"
#include "newsectiondialog.h"
#include "openroom.h"
#include "sectiondialog.h"
#include "study.h"
#include "studystep.h"
#include "viewroom.h"

#include <QtWidgets>

#include <iterator>

namespace {

// What each operation does, for its menu entry's status tip, in the order of the kinds.
const char *const tips[] = {
    QT_TRANSLATE_NOOP(
        "SectionRoom", "Deflect a trailing-edge flap about a hinge on the camber line"),
    QT_TRANSLATE_NOOP("SectionRoom", "Scale the camber, the thickness kept"),
    QT_TRANSLATE_NOOP("SectionRoom", "Scale the thickness, the camber kept"),
    QT_TRANSLATE_NOOP("SectionRoom", "Move the largest camber along the chord"),
    QT_TRANSLATE_NOOP("SectionRoom", "Open or close the trailing edge over the rear half"),
    QT_TRANSLATE_NOOP("SectionRoom", "Take the contour again at cosine-spaced points"),
    QT_TRANSLATE_NOOP("SectionRoom", "Blend camber and thickness with another section"),
};
static_assert(std::size(tips) == std::size(SectionOperation::Kinds));

} // namespace

SectionRoom::SectionRoom(
    Study *study, DesignRoom *design, OpenRoom *opening, ViewRoom *view, QMainWindow *window)
    : QObject(window)
    , design(design)
    , opening(opening)
    , view(view)
    , window(window)
{
    newSectionAct = new QAction(tr("New Section..."), this);
    newSectionAct->setShortcut(QKeySequence::New);
    newSectionAct->setStatusTip(tr("Start from a NACA 4-digit, 5-digit or a-series section"));
    connect(newSectionAct, &QAction::triggered, this, &SectionRoom::newSection);
    for (const SectionOperation::Kind kind : SectionOperation::Kinds) {
        QAction *action = new QAction(SectionOperation::name(kind) + tr("..."), this);
        action->setStatusTip(tr(tips[kind]));
        connect(action, &QAction::triggered, this, [this, kind] { ask(kind); });
        operationActs << action;
    }
    setStudy(study);
}

void SectionRoom::setStudy(Study *next)
{
    // Nothing to reshape before a file is loaded; every load has a section.
    enableWhileLoaded(operationActs, study, next);
    study = next;
}

QList<QAction *> SectionRoom::actions() const
{
    return QList<QAction *> {newSectionAct} + operationActs;
}

void SectionRoom::ask(SectionOperation::Kind kind)
{
    design->finishPanelingStep();
    if (!study->isLoaded())
        return;
    // The preview is drawn in the diagram: it is on show while the dialog is.
    view->tabWidget()->setCurrentIndex(0);
    SectionDialog dialog(kind, study, view->diagramScene(), window);
    // In the lower right corner, over the panels, so that the diagram shows the preview whole.
    dialog.adjustSize();
    const QRect area = window->frameGeometry();
    dialog.move(area.right() - dialog.width() - 24, area.bottom() - dialog.height() - 48);
    if (dialog.exec() == QDialog::Accepted)
        apply(dialog.operation());
}

bool SectionRoom::apply(const SectionOperation &operation)
{
    Study::Refusal refusal;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    design->record(SectionOperation::name(operation.kind), [&] {
        refusal = study->design(operation);
        return !refusal;
    });
    QApplication::restoreOverrideCursor();
    if (refusal) {
        QMessageBox::warning(window, tr("Liftwise"),
            tr("%1 was not applied: the result would be refused:\n%2.")
                .arg(SectionOperation::name(operation.kind), refusal.reason));
        return false;
    }
    window->statusBar()->showMessage(tr("%1: %2").arg(
        SectionOperation::name(operation.kind), Format::printable(study->data().title)));
    return true;
}

void SectionRoom::newSection()
{
    design->finishPanelingStep();
    NewSectionDialog dialog(window);
    if (dialog.exec() == QDialog::Accepted)
        opening->openSection(dialog.text(), dialog.title());
}
