#ifndef LIFTWISE_DESIGNROOM_H
#define LIFTWISE_DESIGNROOM_H

#include "study.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

QT_BEGIN_NAMESPACE
class QAbstractSpinBox;
class QAction;
class QDoubleSpinBox;
class QMainWindow;
class QPushButton;
class QSettings;
class QSpinBox;
class QUndoGroup;
class QUndoStack;
QT_END_NAMESPACE

// The design actions: the paneling fields' steps, the Modify targets, press and Reach Targets,
// and Undo and Redo over all of them, to the bit. The window lays out the fields and buttons.
class DesignRoom : public QObject
{
    Q_OBJECT

public:
    // How many steps Undo goes back. At 999 panels a step keeps the line's state before and
    // after it, about 160 KB (stations and ordinates, the loading, and the loading before the
    // first press, twice): a hundred steps hold 16 MB at most, and a user going back through
    // a design retraces far fewer.
    static constexpr int UndoLimit = 100;

    DesignRoom(Study *study, QMainWindow *window);

    // Number of panels and the two densities; then alpha0 and cm0. Each field's accessible name
    // is its label.
    QList<QAbstractSpinBox *> panelingFields() const;
    QList<QAbstractSpinBox *> targetFields() const;
    QPushButton *modifyButton() const { return modify; }
    QPushButton *reachButton() const { return reach; }
    // Undo and Redo, then Reach Targets, as the Edit menu lists them.
    QList<QAction *> actions() const { return {undoAct, redoAct}; }
    QAction *reachAction() const { return reachAct; }

    // Presses at the reference paneling until the section a save writes gives the targets, as
    // one step; says in the status bar where it got. False when the user cancelled it.
    bool reachTargets();
    // Runs a step on the study that may give it another section (a Design operation), as one
    // undo step named text when the step answers true; the history goes on through it, and the
    // targets stay as the user set them.
    void record(const QString &text, const std::function<bool()> &step);

    Paneling fieldsPaneling() const;
    // Runs the paneling step still waiting, if any, so that what follows sees its line.
    void finishPanelingStep();
    // Drops the paneling step still waiting: what follows builds the line at the fields'
    // paneling itself, as a load does.
    void dropPanelingStep();
    // The reshaped line is written: no longer modified until the next step.
    void setSaved();
    // Acts on another study from now on, with its own history: the fields show its paneling
    // and its targets; a paneling step still waiting is the earlier study's.
    void setStudy(Study *study);
    // Whether the study holds presses or section operations that no save has written.
    bool hasUnsavedWork(const Study *study) const;
    // The paneling fields, kept across runs. Restored values are no steps of the user's.
    void readSettings(const QSettings &settings);
    void writeSettings(QSettings *settings) const;

signals:
    // A paneling step came before any file was loaded: there is nothing to show.
    void steppedWithoutFile();

private:
    // The target fields enabled with their values after a load, disabled and empty before.
    void showTargetFields(bool loaded);
    void createActions();
    // The history of the study on show.
    QUndoStack *stack() const;
    void createPanelingFields();
    void createTargetFields();
    void createModifyButton();
    // Presets the targets from a new file, which starts a new history.
    void showFile();
    // Records the step just taken on the study as undoable, from the state before it.
    void pushStep(const QString &text, const Study::LineState &before);
    // Gives the study a state back and puts the paneling fields right, as undo and redo do.
    void showLineState(const Study::LineState &state);
    void updateModified();
    void undo();
    void redo();
    // Runs a step of the study at the paneling, under the wait cursor when it needs a new
    // inversion.
    void busyStep(const Paneling &paneling, const std::function<void()> &step);
    void panelingChanged();
    void runPanelingStep();
    void panelingStepped();
    void panelingEditFinished();
    void doModify();
    Targets fieldTargets() const;

    Study *study;
    QMainWindow *window;
    // A child made before the actions: as the room goes it is cleared once the room hears no
    // more, and its last signals reach only the actions, still there.
    // One history a study, that of the study on show active.
    QUndoGroup *history;
    QHash<const Study *, QUndoStack *> stacks;
    // Paneling steps wait here for the event loop, so that those queued while one computes
    // merge into one, at the fields' last values. The fields reach the room through it.
    QTimer panelingStep;
    QSpinBox *panelsSpinBox;
    QDoubleSpinBox *leDensitySpinBox;
    QDoubleSpinBox *teDensitySpinBox;
    QDoubleSpinBox *alpha0SpinBox;
    QDoubleSpinBox *cm0SpinBox;
    QPushButton *modify;
    QPushButton *reach;
    QAction *reachAct;
    QAction *undoAct;
    QAction *redoAct;
    // The paneled line was rebuilt by a step of a field's value since the last finished edit.
    bool lineFromStep = false;
    // Fields set by the room itself, not the user: no step of theirs.
    bool settingFields = false;
    // A step of the user's, or its undo, gives the study another section: no new history.
    bool keepingHistory = false;
    // The targets' values as their fields last showed them, for the step that changes them.
    double shownAlpha0 = 0.0;
    double shownCm0 = 0.0;
};

#endif // LIFTWISE_DESIGNROOM_H
