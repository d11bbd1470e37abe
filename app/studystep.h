#ifndef LIFTWISE_STUDYSTEP_H
#define LIFTWISE_STUDYSTEP_H

#include "study.h"

#include <QUndoCommand>

#include <functional>

// A step of the user's on the study, undone and redone to the bit: the line's state before and
// after it, given back through show, which also puts the fields right. Pushed once done, so its
// first redo has nothing to do.
class StudyStep : public QUndoCommand
{
public:
    using Show = std::function<void(const Study::LineState &)>;

    StudyStep(const QString &text, Study::LineState before, Study::LineState after, Show show);

    void undo() override;
    void redo() override;

private:
    const Study::LineState before;
    const Study::LineState after;
    const Show show;
    bool done = true;
};

// A new target typed or stepped into its field: the value before and after, put back through
// set. Steps of one field in a row merge into one.
class TargetStep : public QUndoCommand
{
public:
    using Set = std::function<void(double)>;

    TargetStep(const QString &text, int field, double before, double after, Set set);

    void undo() override;
    void redo() override;
    int id() const override { return field; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    const int field;
    const double before;
    double after;
    const Set set;
    bool done = true;
};

// Enables the actions while the study is loaded, from its next load on too, and no longer
// follows before (null for none), the study the window showed until now.
void enableWhileLoaded(const QList<QAction *> &actions, const Study *before, const Study *study);

#endif // LIFTWISE_STUDYSTEP_H
