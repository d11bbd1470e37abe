#include "studystep.h"

#include <QAction>

StudyStep::StudyStep(
    const QString &text, Study::LineState before, Study::LineState after, Show show)
    : QUndoCommand(text)
    , before(std::move(before))
    , after(std::move(after))
    , show(std::move(show))
{
}

void StudyStep::undo() { show(before); }

void StudyStep::redo()
{
    if (done) {
        done = false;
        return;
    }
    show(after);
}

TargetStep::TargetStep(const QString &text, int field, double before, double after, Set set)
    : QUndoCommand(text)
    , field(field)
    , before(before)
    , after(after)
    , set(std::move(set))
{
}

void TargetStep::undo() { set(before); }

void TargetStep::redo()
{
    if (done) {
        done = false;
        return;
    }
    set(after);
}

bool TargetStep::mergeWith(const QUndoCommand *other)
{
    after = static_cast<const TargetStep *>(other)->after;
    return true;
}

void enableWhileLoaded(const QList<QAction *> &actions, const Study *before, const Study *study)
{
    for (QAction *action : actions) {
        if (before)
            QObject::disconnect(before, nullptr, action, nullptr);
        action->setEnabled(study->isLoaded());
        QObject::connect(
            study, &Study::fileChanged, action, [action] { action->setEnabled(true); });
    }
}
