#ifndef LIFTWISE_SECTIONROOM_H
#define LIFTWISE_SECTIONROOM_H

#include "sectionoperation.h"

#include <QList>
#include <QObject>

QT_BEGIN_NAMESPACE
class QAction;
class QMainWindow;
QT_END_NAMESPACE

class DesignRoom;
class OpenRoom;
class Study;
class ViewRoom;

// The Design menu: a new section from the NACA families, and the operations on the whole
// section a save writes, each from a dialog whose values preview dashed in the diagram, each OK
// one undo step named for the operation.
class SectionRoom : public QObject
{
    Q_OBJECT

public:
    SectionRoom(
        Study *study, DesignRoom *design, OpenRoom *opening, ViewRoom *view, QMainWindow *window);

    // Acts on another study from now on.
    void setStudy(Study *study);
    // New Section, then the operations, as the Design menu lists them.
    QList<QAction *> actions() const;
    // Applies the operation as OK in its dialog does: one undo step, or a message box saying why
    // the result would be refused. False when it changed nothing.
    bool apply(const SectionOperation &operation);

private:
    void ask(SectionOperation::Kind kind);
    void newSection();

    Study *study = nullptr;
    DesignRoom *design;
    OpenRoom *opening;
    ViewRoom *view;
    QMainWindow *window;
    QAction *newSectionAct;
    QList<QAction *> operationActs;
};

#endif // LIFTWISE_SECTIONROOM_H
