#include "designroom.h"

#include "format.h"
#include "numberfield.h"
#include "report.h"
#include "studystep.h"

#include <QtWidgets>

#include <cmath>
#include <limits>

DesignRoom::DesignRoom(Study *study, QMainWindow *window)
    : QObject(window)
    , study(study)
    , window(window)
    , history(new QUndoGroup(this))
{
    panelingStep.setSingleShot(true);
    panelingStep.setInterval(0);
    connect(&panelingStep, &QTimer::timeout, this, &DesignRoom::runPanelingStep);
    createActions();
    createPanelingFields();
    createTargetFields();
    createModifyButton();
    Study *first = study;
    this->study = nullptr;
    setStudy(first);
}

QUndoStack *DesignRoom::stack() const { return history->activeStack(); }

void DesignRoom::setStudy(Study *next)
{
    finishPanelingStep();
    if (study)
        disconnect(study, nullptr, this, nullptr);
    study = next;
    connect(study, &Study::fileChanged, this, &DesignRoom::showFile);
    QUndoStack *&steps = stacks[study];
    if (!steps) {
        steps = new QUndoStack(history);
        steps->setUndoLimit(UndoLimit);
        // The history goes with its study.
        connect(study, &QObject::destroyed, steps, [this, gone = study, steps] {
            // The study is gone already: its history's last signals ask it nothing.
            if (study == gone)
                study = nullptr;
            stacks.remove(gone);
            delete steps;
        });
    }
    history->setActiveStack(steps);
    const bool loaded = study->isLoaded();
    modify->setEnabled(loaded);
    reachAct->setEnabled(loaded);
    showTargetFields(loaded);
    if (loaded) {
        settingFields = true;
        const QSignalBlocker blockPanels(panelsSpinBox);
        const QSignalBlocker blockLe(leDensitySpinBox);
        const QSignalBlocker blockTe(teDensitySpinBox);
        panelsSpinBox->setValue(study->paneling().panels);
        leDensitySpinBox->setValue(study->paneling().leDensity);
        teDensitySpinBox->setValue(study->paneling().teDensity);
        const Targets targets = study->targets() ? *study->targets() : study->presetTargets();
        alpha0SpinBox->setValue(degrees(targets.alpha0));
        cm0SpinBox->setValue(targets.cm0);
        settingFields = false;
        shownAlpha0 = alpha0SpinBox->value();
        shownCm0 = cm0SpinBox->value();
    }
    updateModified();
}

QList<QAbstractSpinBox *> DesignRoom::panelingFields() const
{
    return {panelsSpinBox, leDensitySpinBox, teDensitySpinBox};
}

QList<QAbstractSpinBox *> DesignRoom::targetFields() const { return {alpha0SpinBox, cm0SpinBox}; }

void DesignRoom::createActions()
{
    // "Undo Modify", "Redo Number of Panels": the menu names the step.
    undoAct = new QAction(tr("Undo"), this);
    undoAct->setShortcut(QKeySequence::Undo);
    undoAct->setEnabled(false);
    connect(undoAct, &QAction::triggered, this, &DesignRoom::undo);
    connect(history, &QUndoGroup::canUndoChanged, undoAct, &QAction::setEnabled);
    // The stack, a child created first, clears itself as the room goes: these reach the actions
    // alone, never the room being taken down.
    connect(
        history, &QUndoGroup::undoTextChanged, undoAct, [action = undoAct](const QString &text) {
            action->setText(text.isEmpty() ? tr("Undo") : tr("Undo %1").arg(text));
        });
    redoAct = new QAction(tr("Redo"), this);
    redoAct->setShortcut(QKeySequence(tr("Ctrl+Shift+Z")));
    redoAct->setEnabled(false);
    connect(redoAct, &QAction::triggered, this, &DesignRoom::redo);
    connect(history, &QUndoGroup::canRedoChanged, redoAct, &QAction::setEnabled);
    connect(
        history, &QUndoGroup::redoTextChanged, redoAct, [action = redoAct](const QString &text) {
            action->setText(text.isEmpty() ? tr("Redo") : tr("Redo %1").arg(text));
        });
    reachAct = new QAction(tr("Reach Targets"), this);
    reachAct->setShortcut(QKeySequence(tr("Ctrl+T")));
    reachAct->setStatusTip(tr("Press at the reference paneling until the section a save writes "
                              "gives the targets"));
    reachAct->setEnabled(false);
    connect(reachAct, &QAction::triggered, this, &DesignRoom::reachTargets);
    connect(history, &QUndoGroup::indexChanged, this, &DesignRoom::updateModified);
    connect(history, &QUndoGroup::cleanChanged, this, &DesignRoom::updateModified);
}

void DesignRoom::createPanelingFields()
{
    const Paneling start;
    const QString densities = Format::range(Paneling::MinDensity, Paneling::MaxDensity);
    panelsSpinBox = createField<WholeNumberField>(tr("number of panels"),
        tr("How many panels the camber line is cut into, %1")
            .arg(Format::range(Paneling::MinPanels, Paneling::MaxPanels)),
        Paneling::MinPanels, Paneling::MaxPanels, 1, window);
    panelsSpinBox->setValue(start.panels);
    leDensitySpinBox = createField<DecimalField>(tr("leading edge density"),
        tr("How strongly the panels crowd towards the leading edge, %1").arg(densities),
        Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityStep, window);
    leDensitySpinBox->setValue(start.leDensity);
    teDensitySpinBox = createField<DecimalField>(tr("trailing edge density"),
        tr("How strongly the panels crowd towards the trailing edge, %1").arg(densities),
        Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityStep, window);
    teDensitySpinBox->setValue(start.teDensity);
    // Every step of a value, by arrow, wheel or key, recomputes; typing only once finished.
    for (QAbstractSpinBox *box : panelingFields()) {
        connect(box, &QAbstractSpinBox::editingFinished, &panelingStep,
            [this] { panelingEditFinished(); });
    }
    const auto stepped = [this] { panelingStepped(); };
    connect(panelsSpinBox, &QSpinBox::valueChanged, &panelingStep, stepped);
    connect(leDensitySpinBox, &QDoubleSpinBox::valueChanged, &panelingStep, stepped);
    connect(teDensitySpinBox, &QDoubleSpinBox::valueChanged, &panelingStep, stepped);
}

void DesignRoom::createTargetFields()
{
    alpha0SpinBox = createField<DecimalField>(tr("alpha0 [deg]"),
        tr("The zero-lift angle Modify reshapes the paneled line towards, in degrees, %1")
            .arg(Format::range(-Targets::MaxAlpha0Degrees, Targets::MaxAlpha0Degrees)),
        -Targets::MaxAlpha0Degrees, Targets::MaxAlpha0Degrees, Targets::Alpha0StepDegrees, window);
    alpha0SpinBox->setDecimals(Targets::Decimals);
    cm0SpinBox = createField<DecimalField>(tr("cm0"),
        tr("The moment coefficient about the quarter chord Modify reshapes the paneled line "
           "towards, %1")
            .arg(Format::range(-Targets::MaxCm0, Targets::MaxCm0)),
        -Targets::MaxCm0, Targets::MaxCm0, Targets::Cm0Step, window);
    cm0SpinBox->setDecimals(Targets::Decimals);
    // A target the user sets is a step of theirs, undone as any other; one field's changes in
    // a row are one step.
    for (const auto &[field, box, shown] :
        {std::tuple {0, alpha0SpinBox, &shownAlpha0}, std::tuple {1, cm0SpinBox, &shownCm0}}) {
        const QString text = field == 0 ? tr("Target alpha0") : tr("Target cm0");
        connect(box, &QDoubleSpinBox::valueChanged, &panelingStep,
            [this, field, box, shown, text](double value) {
                const double before = *shown;
                *shown = value;
                if (settingFields || !study->isLoaded())
                    return;
                stack()->push(new TargetStep(text, field, before, value, [=](double v) {
                    settingFields = true;
                    box->setValue(v);
                    settingFields = false;
                    *shown = box->value();
                }));
            });
    }
}

void DesignRoom::createModifyButton()
{
    modify = new QPushButton(tr("Modify"));
    describe(modify,
        tr("Reshape the paneled camber line towards the targets' zero-lift angle and moment"));
    connect(modify, &QPushButton::pressed, this, &DesignRoom::doModify);
    // Nothing to reshape before a file is loaded.
    modify->setEnabled(false);
    reach = new QPushButton(reachAct->text());
    describe(reach, reachAct->statusTip());
    reach->setEnabled(false);
    connect(reach, &QPushButton::clicked, reachAct, &QAction::trigger);
    connect(reachAct, &QAction::enabledChanged, reach, &QPushButton::setEnabled);
    // With the focus on the button, Return and Enter press it as Space does, once per key press.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        QShortcut *shortcut
            = new QShortcut(key, modify, modify, &QPushButton::animateClick, Qt::WidgetShortcut);
        shortcut->setAutoRepeat(false);
    }
}

void DesignRoom::showTargetFields(bool loaded)
{
    // Before a load there is no target to show: a 0.0000 would read as one. The special text
    // stands for the value at the field's minimum, which the field holds meanwhile.
    for (QDoubleSpinBox *field : {alpha0SpinBox, cm0SpinBox}) {
        field->setEnabled(loaded);
        if (loaded == field->specialValueText().isEmpty())
            continue;
        const QSignalBlocker blocker(field);
        field->setSpecialValueText(loaded ? QString() : QStringLiteral(" "));
        if (!loaded)
            field->setValue(field->minimum());
    }
}

void DesignRoom::showFile()
{
    modify->setEnabled(true);
    reachAct->setEnabled(true);
    showTargetFields(true);
    if (keepingHistory)
        return;
    const Targets targets = study->presetTargets();
    settingFields = true;
    alpha0SpinBox->setValue(degrees(targets.alpha0));
    cm0SpinBox->setValue(targets.cm0);
    settingFields = false;
    shownAlpha0 = alpha0SpinBox->value();
    shownCm0 = cm0SpinBox->value();
    // A new file starts a new history; a section from no file is unsaved from the start.
    stack()->clear();
    if (study->isDesigned())
        stack()->resetClean();
    updateModified();
}

void DesignRoom::pushStep(const QString &text, const Study::LineState &before)
{
    stack()->push(new StudyStep(text, before, study->lineState(),
        [this](const Study::LineState &state) { showLineState(state); }));
}

void DesignRoom::showLineState(const Study::LineState &state)
{
    panelingStep.stop();
    busyStep(state.paneling, [&] {
        const QSignalBlocker blockPanels(panelsSpinBox);
        const QSignalBlocker blockLe(leDensitySpinBox);
        const QSignalBlocker blockTe(teDensitySpinBox);
        panelsSpinBox->setValue(state.paneling.panels);
        leDensitySpinBox->setValue(state.paneling.leDensity);
        teDensitySpinBox->setValue(state.paneling.teDensity);
        keepingHistory = true;
        study->restoreLineState(state);
        keepingHistory = false;
    });
}

void DesignRoom::updateModified()
{
    if (study)
        window->setWindowModified(hasUnsavedWork(study));
}

bool DesignRoom::hasUnsavedWork(const Study *of) const
{
    // Presses, or section operations, that no save has written.
    const QUndoStack *steps = stacks.value(of);
    return of->isLoaded() && (!of->presses().empty() || of->isDesigned()) && steps
        && !steps->isClean();
}

void DesignRoom::setSaved() { stack()->setClean(); }

void DesignRoom::undo()
{
    finishPanelingStep();
    const QString text = stack()->undoText();
    stack()->undo();
    window->statusBar()->showMessage(tr("Undone: %1").arg(text), 3000);
}

void DesignRoom::redo()
{
    finishPanelingStep();
    const QString text = stack()->redoText();
    stack()->redo();
    window->statusBar()->showMessage(tr("Redone: %1").arg(text), 3000);
}

Paneling DesignRoom::fieldsPaneling() const
{
    return Paneling {panelsSpinBox->value(), leDensitySpinBox->value(), teDensitySpinBox->value()};
}

void DesignRoom::busyStep(const Paneling &paneling, const std::function<void()> &step)
{
    // A step whose stations have no inverse kept costs about n^3: it may take seconds.
    const bool slow = study->isLoaded() && !study->isSolved(paneling);
    if (slow)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    step();
    if (slow)
        QApplication::restoreOverrideCursor();
}

void DesignRoom::panelingChanged() { panelingStep.start(); }

void DesignRoom::runPanelingStep()
{
    panelingStep.stop();
    const Study::LineState before = study->lineState();
    const Paneling paneling = fieldsPaneling();
    // A finished edit that leaves the paneling as it was is no step: the line and its presses
    // stay.
    if (study->isLoaded() && paneling == before.paneling)
        return;
    busyStep(paneling, [&] { study->setPaneling(paneling); });
    if (!study->isLoaded()) {
        emit steppedWithoutFile();
        return;
    }
    const Paneling &was = before.paneling;
    const int changed = (paneling.panels != was.panels) + (paneling.leDensity != was.leDensity)
        + (paneling.teDensity != was.teDensity);
    const QString text = changed > 1          ? tr("Paneling")
        : paneling.panels != was.panels       ? tr("Number of Panels")
        : paneling.leDensity != was.leDensity ? tr("Leading Edge Density")
                                              : tr("Trailing Edge Density");
    pushStep(text, before);
}

void DesignRoom::finishPanelingStep()
{
    if (panelingStep.isActive())
        runPanelingStep();
}

void DesignRoom::dropPanelingStep() { panelingStep.stop(); }

void DesignRoom::panelingStepped()
{
    panelingChanged();
    lineFromStep = true;
}

void DesignRoom::panelingEditFinished()
{
    // A typed value is taken as a step just before the edit finishes: one rebuild is enough.
    // A finished edit without a change is run too, and changes nothing.
    if (!lineFromStep)
        panelingChanged();
    lineFromStep = false;
}

Targets DesignRoom::fieldTargets() const
{
    return Targets {radians(alpha0SpinBox->value()), cm0SpinBox->value()};
}

void DesignRoom::doModify()
{
    finishPanelingStep();
    lineFromStep = false;
    if (!study->isLoaded())
        return;
    const Targets targets = fieldTargets();
    // Targets met already, by the section a save writes or by the line pressed, are no reason
    // to reshape either.
    const double missBefore = targets.missOf(study->paneledCoefficients());
    if (targets.missOf(study->section()->referenceCoefficients) <= 1.0 || missBefore <= 1.0) {
        window->statusBar()->showMessage(Report::metAlreadyStatus(*study, targets));
        return;
    }
    const Study::LineState before = study->lineState();
    busyStep(study->paneling(), [&] { study->modify(targets); });
    pushStep(tr("Modify"), before);
    // "not reached" only where the press could come no closer: the two shapes cannot take
    // every line everywhere.
    window->statusBar()->showMessage(Report::pressStatus(*study,
        study->presses().back().applied
            && targets.missOf(study->paneledCoefficients()) < missBefore));
}

bool DesignRoom::reachTargets()
{
    finishPanelingStep();
    lineFromStep = false;
    if (!study->isLoaded())
        return true;
    const Targets targets = fieldTargets();
    const Study::LineState before = study->lineState();
    // Shown, window-modal, only once the presses take longer than a moment: only then do
    // events run, so that Esc or Cancel can stop them and nothing else can reach the window.
    QProgressDialog progress(
        tr("Reaching the targets..."), tr("Cancel"), 0, Study::ReachPresses, window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(std::numeric_limits<int>::max());
    QElapsedTimer clock;
    clock.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Study::Reach reach = study->reachTargets(targets, Paneling::reference(),
        Study::ReachPresses, [&](int press, const Coefficients &, const Coefficients *) {
            if (!progress.isVisible() && clock.elapsed() > 400)
                progress.show();
            if (progress.isVisible()) {
                progress.setValue(press);
                QCoreApplication::processEvents();
            }
            return !progress.wasCanceled();
        });
    QApplication::restoreOverrideCursor();
    if (reach.cancelled) {
        window->statusBar()->showMessage(tr("Reach Targets cancelled: nothing changed"), 5000);
        return false;
    }
    if (reach.presses > 0)
        pushStep(tr("Reach Targets"), before);
    window->statusBar()->showMessage(Report::reachStatus(*study, reach.reached, reach.presses));
    return true;
}

void DesignRoom::record(const QString &text, const std::function<bool()> &step)
{
    finishPanelingStep();
    lineFromStep = false;
    const Study::LineState before = study->lineState();
    keepingHistory = true;
    const bool changed = step();
    keepingHistory = false;
    if (changed)
        pushStep(text, before);
}

void DesignRoom::readSettings(const QSettings &settings)
{
    // Restored values are no steps of the user's: the panels stay empty until a load.
    const QSignalBlocker blockPanels(panelsSpinBox);
    const QSignalBlocker blockLe(leDensitySpinBox);
    const QSignalBlocker blockTe(teDensitySpinBox);
    bool ok = false;
    const int panels = settings.value("paneling/panels").toInt(&ok);
    if (ok)
        panelsSpinBox->setValue(panels);
    for (const auto &[key, box] : {std::pair {"paneling/leDensity", leDensitySpinBox},
             {"paneling/teDensity", teDensitySpinBox}}) {
        const double value = settings.value(key).toDouble(&ok);
        if (ok && std::isfinite(value))
            box->setValue(value);
    }
}

void DesignRoom::writeSettings(QSettings *settings) const
{
    settings->setValue("paneling/panels", panelsSpinBox->value());
    settings->setValue("paneling/leDensity", leDensitySpinBox->value());
    settings->setValue("paneling/teDensity", teDensitySpinBox->value());
}
