#include "comparisonroom.h"
#include "designroom.h"
#include "diagramscene.h"
#include "diagramview.h"
#include "focusring.h"
#include "mainwindow.h"
#include "named.h"
#include "newsectiondialog.h"
#include "oddfiles.h"
#include "recentfiles.h"
#include "report.h"
#include "sectiondialog.h"
#include "study.h"
#include "workspace.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <functional>

#include <sys/stat.h>

// A window with its widgets found the way assistive tools find them: by accessible name.
class Window
{
public:
    Window()
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    QTextEdit *text(const QString &name) { return find<QTextEdit>(name); }
    QString plain(const QString &name) { return text(name)->toPlainText(); }
    QStringList lines(const QString &name) { return plain(name).split(QLatin1Char('\n')); }
    QSpinBox *panels() { return find<QSpinBox>(QStringLiteral("number of panels")); }
    QDoubleSpinBox *decimal(const QString &name) { return find<QDoubleSpinBox>(name); }
    QPushButton *button(const QString &text)
    {
        for (QPushButton *button : w.findChildren<QPushButton *>())
            if (button->text() == text)
                return button;
        qFatal("no button %s", qPrintable(text));
        return nullptr;
    }
    QPushButton *modify() { return button(QStringLiteral("Modify")); }
    QGraphicsScene *scene() { return w.findChild<DiagramView *>()->scene(); }
    QAction *action(const QString &text)
    {
        for (QAction *action : w.findChildren<QAction *>())
            if (action->text() == text)
                return action;
        qFatal("no action %s", qPrintable(text));
        return nullptr;
    }
    // The paneling steps asked for run once the event loop turns.
    void finishEdit(QAbstractSpinBox *box)
    {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // Targets the section meets already reshape nothing: the first press of a file aims a
    // degree below its zero-lift angle.
    void pressModify()
    {
        QDoubleSpinBox *alpha0 = decimal(QStringLiteral("alpha0 [deg]"));
        const Study *study = w.findChild<Study *>();
        if (std::fabs(alpha0->value() - degrees(study->section()->referenceCoefficients.alpha0))
            < 0.01)
            alpha0->setValue(alpha0->value() - 1.0);
        QTest::mousePress(modify(), Qt::LeftButton);
        QTest::mouseRelease(modify(), Qt::LeftButton);
    }

    template <typename T> T *find(const QString &name) { return named<T>(&w, name); }

    MainWindow w;
};

// What a refused file must leave exactly as it was.
struct Snapshot
{
    explicit Snapshot(Window &win)
        : title(win.w.windowTitle())
        , file(win.plain("file"))
        , paneling(win.plain("paneling"))
        , results(win.plain("results"))
        , alpha0(win.decimal("alpha0 [deg]")->value())
        , cm0(win.decimal("cm0")->value())
        , items(win.scene()->items().size())
        , bounds(win.scene()->itemsBoundingRect())
    {
    }
    bool operator==(const Snapshot &o) const
    {
        return title == o.title && file == o.file && paneling == o.paneling && results == o.results
            && alpha0 == o.alpha0 && cm0 == o.cm0 && items == o.items && bounds == o.bounds;
    }
    QString title, file, paneling, results;
    double alpha0, cm0;
    qsizetype items;
    QRectF bounds;
};

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startState();
    void undoAndRedo();
    void undoGoesBackSoFar();
    void designStepPreviewsAndUndoes();
    void newSectionIsUnsaved();
    void switchingSectionsLosesNothing();
    void unsavedReshapingAsks_data();
    void unsavedReshapingAsks();
    void loadAndEdit();
    void stepRecomputesOnce_data();
    void stepRecomputesOnce();
    void refusalsKeepTheScreen_data();
    void refusalsKeepTheScreen();
    void modifyOnPress();
    void saveOverTheLoadedFile_data();
    void saveOverTheLoadedFile();
    void panelsShowWholeLines();
    void panelsWrapBetweenValues();
    void fitsTheAirfoil_data();
    void fitsTheAirfoil();
    void fitsThePlotOnShow();
    void enlargingGrowsTheDiagram();
    void fitsASmallScreen();
    void focusIsVisible();
    void switchesTabsFromAnywhere_data();
    void switchesTabsFromAnywhere();
    void typedValues_data();
    void typedValues();
    void tooltips_data();
    void tooltips();
    void zeroWithoutSign();

private:
    QString writeNaca(const QString &name, double m, double p, double t);
    QString writeText(const QString &name, const QByteArray &text);
    // Runs action, closes the message box it opens and returns "title|text".
    QString closeMessageBox(const std::function<void()> &action);

    QTemporaryDir dir;
};

QString tst_MainWindow::writeText(const QString &name, const QByteArray &text)
{
    return writeFile(dir, name, text);
}

QString tst_MainWindow::writeNaca(const QString &name, double m, double p, double t)
{
    return writeText(name, nacaFile(m, p, t, 31, "test section " + name.toLatin1()));
}

QString tst_MainWindow::closeMessageBox(const std::function<void()> &action)
{
    QString seen;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen = box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        }
    });
    timer.start(10);
    action();
    return seen;
}

void tst_MainWindow::undoAndRedo()
{
    // A press, a new count and a new target, undone last first: each gives back the panels as
    // they were, the presses a paneling change ended among them; redone, as they were after.
    Window win;
    win.w.loadFile(writeNaca("u.dat", 0.02, 0.4, 0.12));
    QAction *undo = win.action("Undo");
    QVERIFY(!undo->isEnabled());
    win.decimal("alpha0 [deg]")->setValue(-3.0);
    const auto shown = [&] {
        return QStringList {win.plain("paneling"), win.plain("results"), win.panels()->text(),
            win.decimal("cm0")->text()};
    };
    QList<QStringList> states {shown()};
    win.pressModify();
    states << shown();
    QCOMPARE(undo->text(), QStringLiteral("Undo Modify"));
    QVERIFY(win.w.isWindowModified());
    win.panels()->setValue(14);
    QCoreApplication::processEvents();
    states << shown();
    QCOMPARE(undo->text(), QStringLiteral("Undo Number of Panels"));
    QVERIFY(!win.w.isWindowModified());
    win.decimal("cm0")->setValue(-0.08);
    states << shown();
    QCOMPARE(undo->text(), QStringLiteral("Undo Target cm0"));
    for (qsizetype k = states.size() - 2; k >= 0; --k) {
        undo->trigger();
        QCOMPARE(shown(), states.at(k));
    }
    QCOMPARE(undo->text(), QStringLiteral("Undo Target alpha0"));
    QCOMPARE(win.w.statusBar()->currentMessage(), QStringLiteral("Undone: Modify"));
    QAction *redo = win.action("Redo Modify");
    for (qsizetype k = 1; k < states.size(); ++k) {
        redo->trigger();
        QCOMPARE(shown(), states.at(k));
    }
}

void tst_MainWindow::designStepPreviewsAndUndoes()
{
    // Design > Flap: the values preview dashed in the diagram as they change, and go with the
    // dialog; OK is one step, named, whose title says what was done and whose save writes it;
    // undone, the section as loaded is back to the bit, not modified; redone, the flap again.
    Window win;
    win.w.loadFile(writeNaca("flap.dat", 0.02, 0.4, 0.12));
    const Study *study = win.w.findChild<Study *>();
    const DiagramScene *scene = win.w.findChild<DiagramScene *>();
    const QString loaded = win.plain("file");
    const QByteArray loadedText = study->airfoilText();
    QPainterPath previewAt5, previewAt3;
    QString result;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<SectionDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        previewAt5 = scene->previewPath();
        dialog->fields().at(1)->setValue(3.0);
        previewAt3 = scene->previewPath();
        result = dialog->resultText();
        dialog->accept();
    });
    win.action("Flap...")->trigger();
    QVERIFY(!previewAt5.isEmpty() && !previewAt3.isEmpty() && previewAt5 != previewAt3);
    QVERIFY(scene->previewPath().isEmpty());
    QVERIFY2(result.contains("Glauert: alpha0 -"), qPrintable(result));
    QCOMPARE(win.lines("file").first(), QStringLiteral("test section flap.dat, flap 75 % 3°"));
    QVERIFY(study->airfoilText().startsWith("test section flap.dat, flap 75 % 3\xc2\xb0\n"));
    QVERIFY(win.w.isWindowModified());
    win.action("Undo Flap")->trigger();
    QCOMPARE(win.plain("file"), loaded);
    QCOMPARE(study->airfoilText(), loadedText);
    QVERIFY(!win.w.isWindowModified());
    win.action("Redo Flap")->trigger();
    QCOMPARE(win.lines("file").first(), QStringLiteral("test section flap.dat, flap 75 % 3°"));
    QVERIFY(win.w.isWindowModified());
}

void tst_MainWindow::newSectionIsUnsaved()
{
    // A new section has no file: the window names it by its title, modified from the start, with
    // nothing to reload; saved, it is the saved file's, no longer modified.
    Window win;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<NewSectionDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // Typed over the digits proposed.
        QTest::keyClicks(
            named<QLineEdit>(dialog, QStringLiteral("Digits")), QStringLiteral("23012"));
        dialog->accept();
    });
    win.action("New Section...")->trigger();
    QCOMPARE(win.lines("file").first(), QStringLiteral("NACA 23012"));
    QCOMPARE(win.w.windowTitle(), QStringLiteral("Liftwise - NACA 23012[*]"));
    QVERIFY(win.w.isWindowModified());
    QVERIFY(!win.action("Reload")->isEnabled());
    const QString saved = dir.filePath(QStringLiteral("new-23012.dat"));
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->selectFile(saved);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    win.action("Save Airfoil As...")->trigger();
    QCOMPARE(win.w.windowTitle(), QStringLiteral("Liftwise - new-23012.dat[*]"));
    QVERIFY(!win.w.isWindowModified());
    QVERIFY(win.action("Reload")->isEnabled());
}

void tst_MainWindow::switchingSectionsLosesNothing()
{
    // A pressed section, then another added at a paneling of its own: choosing one in the list
    // shows its panels, fields and history as they were; the other is drawn under it. Removing
    // the pressed one asks first, and Cancel keeps it.
    Window win;
    win.w.loadFile(writeNaca("first.dat", 0.02, 0.4, 0.12));
    win.pressModify();
    const QString pressed = win.plain("paneling");
    const double target = win.decimal("alpha0 [deg]")->value();
    win.w.findChild<ComparisonRoom *>()->addFiles({writeNaca("second.dat", 0.04, 0.4, 0.12)});
    QListWidget *list = win.find<QListWidget>(QStringLiteral("sections"));
    QCOMPARE(list->count(), 2);
    // The comparison has both, its deltas from the current section until another is chosen.
    QAbstractItemModel *table = win.find<QTableView>(QStringLiteral("comparison"))->model();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->index(0, 1).data().toString(), QStringLiteral("baseline"));
    QComboBox *baseline = win.find<QComboBox>(QStringLiteral("baseline"));
    baseline->activated(1);
    QCOMPARE(table->index(1, 1).data().toString(), QStringLiteral("baseline"));
    // The delta of the full values, shown to the same decimals as the values.
    QVERIFY(qAbs(table->index(0, 3).data().toDouble()
                - (table->index(0, 2).data().toDouble() - table->index(1, 2).data().toDouble()))
        <= 0.0015);
    const int overlaid = win.scene()->items().size();
    // Show Difference draws the other section's camber line less this one's, named.
    win.action("Show Difference")->trigger();
    QVERIFY(win.w.findChild<DiagramScene *>()->legend().constLast().text.startsWith(
        "difference from this section ×"));
    win.action("Show Difference")->trigger();
    list->setCurrentRow(1);
    QCOMPARE(win.lines("file").first(), QStringLiteral("test section second.dat"));
    QVERIFY(!win.action("Undo")->isEnabled());
    QVERIFY(!win.w.isWindowModified());
    win.panels()->setValue(14);
    QCoreApplication::processEvents();
    list->setCurrentRow(0);
    QCOMPARE(win.plain("paneling"), pressed);
    QCOMPARE(win.panels()->value(), 8);
    QCOMPARE(win.decimal("alpha0 [deg]")->value(), target);
    QVERIFY(win.action("Undo Modify")->isEnabled());
    QVERIFY(win.w.isWindowModified());
    QCOMPARE(win.scene()->items().size(), overlaid);
    list->setCurrentRow(1);
    QCOMPARE(win.panels()->value(), 14);
    list->setCurrentRow(0);
    const QString asked = closeMessageBox([&] { win.action("Remove Section")->trigger(); });
    QVERIFY2(asked.endsWith("The reshaped airfoil has not been saved."), qPrintable(asked));
    QCOMPARE(list->count(), 2);
}

void tst_MainWindow::undoGoesBackSoFar()
{
    // One step past the limit, the targets set by turns so that no two steps merge: the oldest
    // step is gone, the newest is undone first.
    Window win;
    win.w.loadFile(writeNaca("far.dat", 0.02, 0.4, 0.12));
    QDoubleSpinBox *alpha0 = win.decimal("alpha0 [deg]");
    QDoubleSpinBox *cm0 = win.decimal("cm0");
    const double presetCm0 = cm0->value();
    for (int step = 0; step <= DesignRoom::UndoLimit; ++step) {
        if (step % 2 == 0)
            alpha0->setValue(-1.0 - 0.01 * step);
        else
            cm0->setValue(-0.001 * step);
    }
    const bool alpha0Last = DesignRoom::UndoLimit % 2 == 0;
    QAction *undo = win.action(alpha0Last ? "Undo Target alpha0" : "Undo Target cm0");
    int undone = 0;
    while (undo->isEnabled()) {
        undo->trigger();
        ++undone;
    }
    QCOMPARE(undone, DesignRoom::UndoLimit);
    // The first step set alpha0 to -1 from its preset; kept, its undo would have taken it back.
    QCOMPARE(alpha0->value(), -1.0);
    QCOMPARE(cm0->value(), presetCm0);
}

void tst_MainWindow::unsavedReshapingAsks_data()
{
    // Closing, reloading or opening another file with presses unsaved asks first.
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    for (const char *step : {"close", "reload", "open recent"}) {
        QTest::addRow("%s, cancel", step) << step << int(QMessageBox::Cancel) << false;
        QTest::addRow("%s, discard", step) << step << int(QMessageBox::Discard) << true;
        QTest::addRow("%s, save", step) << step << int(QMessageBox::Save) << true;
    }
}

void tst_MainWindow::unsavedReshapingAsks()
{
    QFETCH(QString, step);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    Window win;
    const QString other = writeNaca("other.dat", 0.04, 0.4, 0.12);
    win.w.loadFile(other);
    win.w.loadFile(writeNaca("asked.dat", 0.02, 0.4, 0.12));
    win.pressModify();
    QVERIFY(win.w.isWindowModified());
    QString saved = dir.filePath(
        QStringLiteral("asked-saved-%1-%2.dat").arg(QTest::currentDataTag()).arg(answer));
    QFile::remove(dir.filePath(QStringLiteral("asked-modified.dat")));
    QString asked;
    QTimer timer;
    // Each dialog answered once: a second answer could reach the next one.
    QList<QPointer<QWidget>> answered;
    connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || answered.contains(modal))
            return;
        answered << modal;
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            // The dialog may still select its proposal while its folder loads: the name it
            // ends with is the one saved.
            connect(dialog, &QFileDialog::fileSelected, [&](const QString &file) { saved = file; });
            dialog->selectFile(saved);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            // The section misses the targets pressed on the coarse line: saved as it is.
            if (box->text().startsWith(QLatin1String("The saved section gives"))) {
                for (QAbstractButton *button : box->buttons())
                    if (button->text() == QLatin1String("Save As It Is"))
                        button->click();
                return;
            }
            asked = box->text();
            if (QAbstractButton *button = box->button(QMessageBox::StandardButton(answer)))
                button->click();
            else
                box->reject();
        }
    });
    timer.start(10);
    if (step == "close")
        QCOMPARE(win.w.close(), goesOn);
    else if (step == "reload")
        win.action("Reload")->trigger();
    else
        win.w.findChild<RecentFilesMenu *>()->chosen(other);
    timer.stop();
    QCOMPARE(asked, QStringLiteral("The reshaped airfoil has not been saved."));
    QCOMPARE(QFile::exists(saved), answer == QMessageBox::Save);
    if (step != "close") {
        QCOMPARE(win.w.isWindowModified(), !goesOn);
        QCOMPARE(win.lines("paneling").at(0) == "modified paneling", !goesOn);
    }
}

void tst_MainWindow::initTestCase()
{
    // The window's settings go to a folder of the test's own, and start afresh.
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

void tst_MainWindow::startState()
{
    Window win;
    QCOMPARE(win.w.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Liftwise - none"));
    QCOMPARE(win.w.statusBar()->currentMessage(), QStringLiteral("Ready"));
    for (const QString name : {"file", "paneling", "results"}) {
        QVERIFY(win.plain(name).isEmpty());
        QVERIFY(win.text(name)->isReadOnly());
    }
    QVERIFY(win.scene()->items().isEmpty());
    QVERIFY(!win.modify()->isEnabled());
    // No target before a load: the fields are off and empty, not 0.0000; a load fills them.
    for (const char *target : {"alpha0 [deg]", "cm0"}) {
        QVERIFY(!win.decimal(target)->isEnabled());
        QVERIFY2(win.decimal(target)->text().trimmed().isEmpty(), qPrintable(target));
    }
    // The menu names the keys as they are labelled.
    QCOMPARE(win.action("Previous Tab")->shortcut().toString(QKeySequence::PortableText),
        QStringLiteral("Ctrl+Shift+Tab"));
    // A finished edit before a load says there is nothing to show, and draws nothing.
    win.finishEdit(win.decimal("trailing edge density"));
    QCOMPARE(win.plain("results"), QStringLiteral("no data"));
    QVERIFY(win.plain("paneling").isEmpty() && win.plain("file").isEmpty());
    QVERIFY(win.scene()->items().isEmpty());
    // About names the program's version, its licence and the version of Qt it runs on.
    const QString about = closeMessageBox([&] { win.action("&About")->trigger(); });
    QVERIFY2(about.contains(QRegularExpression(QStringLiteral("Liftwise</b> \\d+\\.\\d+")))
            && about.contains(QStringLiteral("GPL-3.0-or-later"))
            && about.contains(QStringLiteral("Qt ") + qVersion()),
        qPrintable(about));
    // Every widget that takes the focus, and every group, has a name for screen readers; a
    // spin box's line edit and a scroll area's viewport speak through their owner.
    for (QWidget *widget : win.w.findChildren<QWidget *>()) {
        const QWidget *owner = widget->parentWidget();
        const auto *area = qobject_cast<const QAbstractScrollArea *>(owner);
        if (!widget->isVisible() || widget->focusProxy() == owner
            || (area && area->viewport() == widget)
            || (widget->focusPolicy() == Qt::NoFocus && !qobject_cast<QGroupBox *>(widget)))
            continue;
        const QAccessibleInterface *about = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(!about->text(QAccessible::Name).isEmpty(), widget->metaObject()->className());
    }
    QCOMPARE(win.w.findChild<DiagramView *>()->accessibleName(), QStringLiteral("diagram"));
    // Every field says what it sets, to the mouse and to screen readers alike.
    for (const QAbstractSpinBox *field : win.w.findChildren<QAbstractSpinBox *>()) {
        QVERIFY(!field->toolTip().isEmpty());
        QCOMPARE(field->accessibleDescription(), field->toolTip());
    }
}

void tst_MainWindow::loadAndEdit()
{
    // The fields' paneling at the time of the load, even unfinished, is the one analysed.
    Window win;
    win.panels()->setValue(12);
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    QCOMPARE(
        win.w.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Liftwise - wing.dat"));
    QCOMPARE(win.w.statusBar()->currentMessage(), QStringLiteral("File loaded"));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(win.lines("file").mid(0, 2), (QStringList {"test section wing.dat", "61 points"}));
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("paneled line (12 panels), 13 points"));
    // A row of each panel's number and one of its middle over its width and angle, each
    // column a panel's.
    const QStringList results = win.lines("results");
    QCOMPARE(results.size(), 4);
    for (const QString &row : results)
        QCOMPARE(row.size(), 11 + 1 + 12 * 10);
    QVERIFY(results.at(0).startsWith("panel") && results.at(0).endsWith("        12"));
    QVERIFY(results.at(1).startsWith("x ") && results.at(2).startsWith("width"));
    // How far from converged follows in the background, below the coefficients.
    QTRY_VERIFY(win.lines("file").at(10).startsWith("extrapolated: alpha0 = "));
}

void tst_MainWindow::stepRecomputesOnce_data()
{
    // Steps that come faster than the event loop turns, as when they queue behind a slow one,
    // are computed once, at the last value.
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("times");
    QTest::addColumn<QString>("typed");
    QTest::newRow("panels, Up") << "number of panels" << int(Qt::Key_Up) << 1 << QString();
    QTest::newRow("panels, Page Down x3")
        << "number of panels" << int(Qt::Key_PageDown) << 3 << QString();
    QTest::newRow("leading edge, Down")
        << "leading edge density" << int(Qt::Key_Down) << 1 << QString();
    QTest::newRow("trailing edge, Up x5")
        << "trailing edge density" << int(Qt::Key_Up) << 5 << QString();
    // Typing recomputes only when the edit is finished, once.
    QTest::newRow("panels, typed") << "number of panels" << 0 << 0 << "11";
}

void tst_MainWindow::stepRecomputesOnce()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(int, times);
    QFETCH(QString, typed);
    Window win;
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    QAbstractSpinBox *box = win.find<QAbstractSpinBox>(field);
    box->setFocus();
    const Study *study = win.w.findChild<Study *>();
    QSignalSpy lineChanges(study, &Study::lineChanged);
    if (typed.isEmpty()) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(lineChanges.count(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(lineChanges.count(), 1);
        // Finishing the edit after the step adds nothing.
        win.finishEdit(box);
    } else {
        box->selectAll();
        QTest::keyClicks(box, typed);
        QCOMPARE(lineChanges.count(), 0);
        win.finishEdit(box);
    }
    QCOMPARE(lineChanges.count(), 1);
    QVERIFY(study->paneling()
        == (Paneling {win.panels()->value(), win.decimal("leading edge density")->value(),
            win.decimal("trailing edge density")->value()}));
    // A finished edit without a change changes nothing.
    win.finishEdit(box);
    QCOMPARE(lineChanges.count(), 1);
}

void tst_MainWindow::refusalsKeepTheScreen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing"
                             << QString("Cannot read file %1:\nNo such file or directory.");
    QTest::newRow("refused") << "refused"
                             << QString("Cannot analyse file %1:\nthe file holds no points.");
    // Opening a pipe would wait for a writer and freeze the window.
    QTest::newRow("pipe") << "pipe" << QString("Cannot read file %1:\nit is not a regular file.");
}

void tst_MainWindow::refusalsKeepTheScreen()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    Window win;
    win.w.loadFile(writeNaca("good.dat", 0.02, 0.4, 0.12));
    // The panel as it stays: with the extrapolation, which comes in the background.
    win.w.findChild<Study *>()->convergence().waitForExtrapolation();
    const Snapshot before(win);
    // A "%2" in the path must not be taken for the placeholder of the reason.
    QString path = dir.filePath(kind + "%2.dat");
    if (kind == "refused")
        writeText(kind + "%2.dat", "title only\n");
    if (kind == "pipe")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const QString seen = closeMessageBox([&] { win.w.loadFile(path); });
    QCOMPARE(seen, QStringLiteral("Liftwise|") + message.arg(path));
    QVERIFY(Snapshot(win) == before);
    QVERIFY(!QApplication::overrideCursor());
}

void tst_MainWindow::modifyOnPress()
{
    Window win;
    const QString path = writeNaca("m.dat", 0.02, 0.4, 0.12);
    win.w.loadFile(path);
    const QString results = win.plain("results");
    win.decimal("alpha0 [deg]")->setValue(-4.0);
    win.decimal("cm0")->setValue(-0.05);
    // The press itself, not the release, runs the modification.
    QTest::mousePress(win.modify(), Qt::LeftButton);
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("modified paneling"));
    QCOMPARE(
        win.lines("paneling").at(2), QStringLiteral("target :  alpha0=  -4.000  cm0= -0.0500"));
    QTest::mouseRelease(win.modify(), Qt::LeftButton);
    // The angles replaced in place are the reshaped line's.
    Study study;
    QVERIFY(!study.loadFile(path, Paneling {8, 3.0, 2.0}));
    study.modify(Targets {radians(-4.0), -0.05});
    QCOMPARE(win.lines("results").mid(2), Report::resultLines(*study.paneledLine()));
    QVERIFY(win.plain("results") != results);
    QCOMPARE(win.w.statusBar()->currentMessage(),
        QStringLiteral("Modify press 1: paneled line (8 panels) %1; reshaped section %2")
            .arg(Report::angleAndMoment(study.paneledCoefficients()),
                Report::angleAndMoment(*study.reshapedReference())));
    // A visit to a paneling field, and the File menu it loses the focus to, keep the reshaping:
    // no rebuild, no step, and what a save writes is still the reshaped section.
    QSignalSpy lineChanges(win.w.findChild<Study *>(), &Study::lineChanged);
    win.finishEdit(win.panels());
    win.w.menuBar()->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(lineChanges.count(), 0);
    QVERIFY(win.plain("results") != results);
    QVERIFY(win.action("Undo Modify")->isEnabled() && win.w.isWindowModified());
    QCOMPARE(win.w.findChild<Study *>()->airfoilText(), study.airfoilText());
    // With the focus on the button, Return presses it, once; once the line meets the targets,
    // a press changes nothing.
    win.modify()->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClick(win.modify(), Qt::Key_Return);
    QCOMPARE(lineChanges.count(), 1);
    QVERIFY(win.w.statusBar()->currentMessage().startsWith("Modify press 2: "));
    for (int press = 0; press < 3 && lineChanges.count() == press + 1; ++press) {
        QTRY_VERIFY(!win.modify()->isDown());
        QTest::keyClick(win.modify(), Qt::Key_Return);
    }
    QVERIFY2(win.w.statusBar()->currentMessage().startsWith("Modify: the targets are met already"),
        qPrintable(win.w.statusBar()->currentMessage()));
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("modified paneling"));
}

void tst_MainWindow::panelsShowWholeLines()
{
    // At the size the window opens with on a small screen, the Modify report and the
    // coefficients below it are read without scrolling; the results keep their columns, shown
    // from the first panel on.
    Window win;
    win.w.loadFile(writeNaca("high-lift.dat", 0.15, 0.4, 0.12));
    // This strongly cambered section's targets are its own values, about -14.4 deg and -0.37.
    const QStringList file = win.lines("file");
    const double alpha0 = file.at(5).section(' ', 2, 2).toDouble();
    QVERIFY(alpha0 < -12.0);
    QVERIFY(qAbs(win.decimal("alpha0 [deg]")->value() - alpha0) <= 0.0006);
    QVERIFY(
        qAbs(win.decimal("cm0")->value() - file.at(6).section(' ', 2, 2).toDouble()) <= 0.00006);
    win.panels()->setValue(999);
    QCoreApplication::processEvents();
    win.pressModify();
    QCoreApplication::processEvents();
    QCOMPARE(win.lines("paneling").size(), 11);
    for (const QString name : {"paneling", "results"}) {
        const QTextEdit *text = win.text(name);
        for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
            QCOMPARE(block.layout()->lineCount(), 1);
        QCOMPARE(text->verticalScrollBar()->maximum(), 0);
        QCOMPARE(text->horizontalScrollBar()->value(), 0);
    }
    QCOMPARE(win.text("paneling")->horizontalScrollBar()->maximum(), 0);
    QVERIFY(win.text("results")->horizontalScrollBar()->maximum() > 0);
}

void tst_MainWindow::panelsWrapBetweenValues()
{
    // However narrow the panel, a line breaks only after a comma, a colon or a semicolon, or
    // between a range and the counts it spans.
    const QString line = Format::wrappingBetweenValues(
        QStringLiteral("cm0 not converged: -0.0841 to -0.0839 over 200–800 panels, alpha0 = "
                       "-2.024 ± 0.006 deg"));
    for (int width = 40; width <= 400; width += 7) {
        QTextLayout layout(line, QApplication::font());
        layout.beginLayout();
        QStringList lines;
        for (QTextLine text = layout.createLine(); text.isValid(); text = layout.createLine()) {
            text.setLineWidth(width);
            lines << line.mid(text.textStart(), text.textLength());
        }
        layout.endLayout();
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            QVERIFY2(lines.at(i).contains(QRegularExpression(QStringLiteral("[,:;] $")))
                    || lines.at(i + 1).startsWith(QStringLiteral("over")),
                qPrintable(QStringLiteral("%1 px: \"%2\"").arg(width).arg(lines.at(i))));
    }
}

void tst_MainWindow::fitsTheAirfoil_data()
{
    // The steps, the last one checked: after it the contour fills the view, centred, or else
    // the scene point in the view's centre stays there.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("fitted");
    QTest::newRow("load") << QStringList {"load"} << true;
    QTest::newRow("resize, zoom, load") << QStringList {"resize", "zoom", "load"} << true;
    QTest::newRow("load, resize") << QStringList {"load", "resize"} << true;
    QTest::newRow("zoom, pan, Ctrl+0") << QStringList {"load", "zoom", "pan", "fit"} << true;
    QTest::newRow("zoom, resize") << QStringList {"load", "zoom", "resize"} << false;
    QTest::newRow("pan, resize") << QStringList {"load", "pan", "resize"} << false;
}

void tst_MainWindow::fitsTheAirfoil()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, fitted);
    Window win;
    QVERIFY(!win.action("Fit Airfoil")->isEnabled());
    DiagramView *view = win.w.findChild<DiagramView *>();
    QWidget *viewport = view->viewport();
    const auto send = [&](QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, viewport->mapToGlobal(pos), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(viewport, &event);
    };
    const QString path = writeNaca("high-lift.dat", 0.15, 0.4, 0.12);
    QPointF centre;
    for (const QString &step : steps) {
        centre = view->mapToScene(viewport->rect().center());
        if (step == "load") {
            win.w.loadFile(path);
        } else if (step == "resize") {
            const QSize before = viewport->size();
            win.w.resize(win.w.size() + QSize(200, -100));
            QTRY_VERIFY(viewport->size() != before);
        } else if (step == "zoom") {
            const QPointF at(100, 80);
            QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, QPoint(0, 600), Qt::NoButton, {},
                Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(viewport, &wheel);
        } else if (step == "pan") {
            send(QEvent::MouseButtonPress, QPoint(200, 100), Qt::LeftButton);
            send(QEvent::MouseMove, QPoint(150, 120), Qt::LeftButton);
            send(QEvent::MouseMove, QPoint(100, 140), Qt::LeftButton);
            send(QEvent::MouseButtonRelease, QPoint(100, 140), Qt::NoButton);
        } else {
            QTest::keyClick(&win.w, Qt::Key_0, Qt::ControlModifier);
        }
    }
    const QRectF shown
        = view->viewportTransform().mapRect(win.w.findChild<DiagramScene *>()->contourRect());
    const QRectF room = viewport->rect();
    if (fitted) {
        QVERIFY(room.contains(shown));
        QVERIFY(shown.width() > 0.85 * room.width() || shown.height() > 0.85 * room.height());
        // Centred across; up and down clear of the hint and the legend.
        QVERIFY(qAbs(shown.center().x() - room.center().x()) <= 1.5);
    } else {
        QVERIFY(QLineF(shown.center(), room.center()).length() > 20);
        QVERIFY(QLineF(view->viewportTransform().map(centre), room.center()).length() <= 1.0);
    }
}

void tst_MainWindow::fitsThePlotOnShow()
{
    // On a plot's tab View > Fit (Ctrl+0) shows the whole x range of a zoomed plot.
    Window win;
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    QTabWidget *tabs = win.find<QTabWidget>("diagram and plots");
    tabs->setCurrentIndex(1);
    QChartView *plot = win.find<QChartView>("Loading");
    auto *x = qobject_cast<QValueAxis *>(plot->chart()->axes(Qt::Horizontal).constFirst());
    const QPointF at = plot->viewport()->rect().center();
    QWheelEvent wheel(at, plot->viewport()->mapToGlobal(at), {}, QPoint(0, 480), Qt::NoButton, {},
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(plot->viewport(), &wheel);
    QVERIFY(x->max() - x->min() < 0.5);
    QTest::keyClick(&win.w, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(x->min(), 0.0);
    QCOMPARE(x->max(), 1.0);
    QVERIFY(win.action("Fit Plot")->isEnabled());
}

void tst_MainWindow::enlargingGrowsTheDiagram()
{
    // Beyond the room they ask for, the fields and the lower panels keep their size.
    Window win;
    const auto sizes = [&] {
        return QList<QSize> {win.panels()->size(), win.decimal("cm0")->size(), win.modify()->size(),
            QSize(0, win.text("paneling")->height()), QSize(0, win.text("results")->height())};
    };
    win.w.resize(1200, 800);
    QTRY_COMPARE(win.w.centralWidget()->width(), 1200);
    const QList<QSize> before = sizes();
    const QWidget *view = win.w.findChild<DiagramView *>();
    const QSize diagram = view->size();
    win.w.resize(1500, 1000);
    QTRY_COMPARE(view->size(), diagram + QSize(300, 200));
    QCOMPARE(sizes(), before);
}

void tst_MainWindow::fitsASmallScreen()
{
    // Opened within the screen, and small enough for a 640 by 480 screen with a window frame
    // (or one of twice that at scale 2): then the plots scroll rather than cut their labels
    // and legends down to "...".
    Window win;
    QVERIFY(win.w.screen()->availableGeometry().contains(win.w.geometry()));
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    const QSize smallest = win.w.minimumSizeHint();
    QVERIFY2(smallest.width() <= 620 && smallest.height() <= 420,
        qPrintable(QStringLiteral("%1 x %2").arg(smallest.width()).arg(smallest.height())));
    win.w.resize(smallest);
    QTabWidget *tabs = win.find<QTabWidget>("diagram and plots");
    for (const QString name : {"Loading", "Convergence"}) {
        tabs->setCurrentIndex(name == QLatin1String("Loading") ? 1 : 2);
        QChartView *plot = win.find<QChartView>(name);
        QTRY_VERIFY(plot->isVisible());
        QTRY_VERIFY(plot->width() > plot->parentWidget()->width());
        // The plot lays out its labels once the events of its new size are through.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
        for (QGraphicsItem *item : plot->scene()->items()) {
            if (const auto *text = dynamic_cast<QGraphicsTextItem *>(item))
                QVERIFY2(!text->toPlainText().contains(QStringLiteral("...")),
                    qPrintable(text->toPlainText()));
        }
    }
}

void tst_MainWindow::focusIsVisible()
{
    // Every control the Tab key reaches, on each tab, looks different while it has the focus.
    Window win;
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    QTabWidget *tabs = win.find<QTabWidget>("diagram and plots");
    QStringList reachedNames;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        win.panels()->setFocus(Qt::TabFocusReason);
        QList<QWidget *> reached;
        for (QWidget *at = win.panels(); !reached.contains(at); at = QApplication::focusWidget()) {
            reached << at;
            const QRect area
                = QRect(at->mapTo(&win.w, QPoint()), at->size()).adjusted(-3, -3, 3, 3);
            const QImage focused = win.w.grab(area).toImage();
            // A ring at least two pixels wide round what has no frame of its own.
            if (!qobject_cast<QGraphicsView *>(at)) {
                const FocusRing *ring = win.w.findChild<FocusRing *>();
                QCOMPARE(ring->ringed(), at);
                QVERIFY(ring->isVisible());
                const QRect round(ring->mapTo(&win.w, QPoint()), ring->size());
                const QRect inside(at->mapTo(&win.w, QPoint()), at->size());
                QVERIFY(round.contains(inside));
            }
            QTest::keyClick(at, Qt::Key_Tab);
            QVERIFY2(win.w.grab(area).toImage() != focused, at->metaObject()->className());
            reachedNames << at->accessibleName();
        }
    }
    for (const QString name : {"diagram", "Loading", "Convergence", "file", "results"})
        QVERIFY2(reachedNames.contains(name), qPrintable(name));
}

void tst_MainWindow::switchesTabsFromAnywhere_data()
{
    // From the first tab, with the focus in a field, a panel or the diagram.
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("tab");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+Tab, panels") << "number of panels" << int(Qt::Key_Tab) << ctrl << 1;
    QTest::newRow("Ctrl+PgDown, file") << "file" << int(Qt::Key_PageDown) << ctrl << 1;
    QTest::newRow("Ctrl+Tab, results") << "results" << int(Qt::Key_Tab) << ctrl << 1;
    // Back from the first tab to the last, the comparison.
    QTest::newRow("Ctrl+Shift+Tab, diagram")
        << "diagram" << int(Qt::Key_Backtab) << int(ctrl | Qt::ShiftModifier) << 3;
    QTest::newRow("Ctrl+PgUp, cm0") << "cm0" << int(Qt::Key_PageUp) << ctrl << 3;
    QTest::newRow("Ctrl+PgDown, density")
        << "leading edge density" << int(Qt::Key_PageDown) << ctrl << 1;
}

void tst_MainWindow::switchesTabsFromAnywhere()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, tab);
    Window win;
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    QWidget *start = win.find<QWidget>(from);
    start->setFocus();
    const QString fields = win.panels()->text() + win.decimal("cm0")->text()
        + win.decimal("leading edge density")->text();
    QTest::keyClick(start, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(win.find<QTabWidget>("diagram and plots")->currentIndex(), tab);
    // The key is the window's, not a step of the field that has the focus.
    QCOMPARE(win.panels()->text() + win.decimal("cm0")->text()
            + win.decimal("leading edge density")->text(),
        fields);
}

void tst_MainWindow::typedValues_data()
{
    // A typed value is taken or refused whole once the edit is finished; refused, the field
    // keeps its value, the status bar names its range, and the line keeps its presses.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("finish");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *field, const char *typed, Qt::Key finish, const char *shown,
                         const char *message) {
        QTest::addRow("%s, %s", field, typed) << QString(field) << QString(typed) << int(finish)
                                              << QString(shown) << QString(message);
    };
    const char *panels = "number of panels";
    row(panels, "1000", Qt::Key_Return, "8", "number of panels: 3 to 999");
    row(panels, "12.5", Qt::Key_Return, "8", "number of panels: 3 to 999");
    row(panels, "2", Qt::Key_Tab, "8", "number of panels: 3 to 999");
    row(panels, "50", Qt::Key_Return, "50", "");
    row("leading edge density", "12", Qt::Key_Return, "3.00", "leading edge density: 1 to 10");
    row("trailing edge density", "4.567", Qt::Key_Tab, "4.57", "");
    row("alpha0 [deg]", "-50", Qt::Key_Return, "-3.0000", "alpha0 [deg]: -45 to 45");
    row("cm0", "1.5", Qt::Key_Tab, "-0.0500", "cm0: -1 to 1");
}

void tst_MainWindow::typedValues()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, finish);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    Window win;
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    win.decimal("alpha0 [deg]")->setValue(-3.0);
    win.decimal("cm0")->setValue(-0.05);
    win.pressModify();
    QAbstractSpinBox *box = win.find<QAbstractSpinBox>(field);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, typed);
    QCOMPARE(box->text(), typed);
    const Study *study = win.w.findChild<Study *>();
    QSignalSpy lineChanges(study, &Study::lineChanged);
    QTest::keyClick(box, Qt::Key(finish));
    QCoreApplication::processEvents();
    QCOMPARE(box->text(), shown);
    const QString status = win.w.statusBar()->currentMessage();
    const bool pressesKept = win.lines("paneling").at(0) == QStringLiteral("modified paneling");
    if (message.isEmpty()) {
        QVERIFY2(!status.contains(" to "), qPrintable(status));
    } else {
        QCOMPARE(status, message);
        QCOMPARE(lineChanges.count(), 0);
        QVERIFY(pressesKept);
    }
}

void tst_MainWindow::tooltips_data()
{
    // Over a line of a panel, what the line means, as screen readers read it too.
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("tip");
    const auto row = [](const char *widget, const char *line, const char *tip) {
        QTest::addRow("%s, %s", widget, line) << QString(widget) << QString(line) << QString(tip);
    };
    row("file", "cm0 = ", "moment coefficient about the quarter chord");
    row("paneling", "alpha(sf) = ", "angle of smooth leading-edge entry");
    row("results", "angle [deg]",
        "each panel's angle, positive where the camber line falls towards the trailing edge");
    row("file", "test section", "");
}

void tst_MainWindow::tooltips()
{
    QFETCH(QString, widget);
    QFETCH(QString, line);
    QFETCH(QString, tip);
    Window win;
    win.w.loadFile(writeNaca("wing.dat", 0.02, 0.4, 0.12));
    QTextEdit *text = win.text(widget);
    QTextBlock block = text->document()->begin();
    // The panels' values hold unbreakable spaces, which read as spaces.
    while (block.isValid() && !block.text().replace(QChar::Nbsp, ' ').startsWith(line))
        block = block.next();
    QVERIFY(block.isValid());
    const QPoint at = text->cursorRect(QTextCursor(block)).center() + QPoint(8, 0);
    QHelpEvent help(QEvent::ToolTip, at, text->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(text->viewport(), &help);
    if (tip.isEmpty()) {
        QTRY_VERIFY(!QToolTip::isVisible());
    } else {
        QCOMPARE(QToolTip::text(), tip);
        QVERIFY(text->accessibleDescription().contains(tip));
    }
}

void tst_MainWindow::zeroWithoutSign()
{
    // A symmetric section's zeros come out of the analysis as tiny numbers of either sign.
    Window win;
    win.w.loadFile(writeNaca("sym.dat", 0.0, 0.0, 0.12));
    win.pressModify();
    const QRegularExpression signedZero(QStringLiteral("-0\\.0+(?![0-9])"));
    QStringList shown = {win.plain("file"), win.plain("paneling"), win.plain("results"),
        win.decimal("alpha0 [deg]")->text(), win.decimal("cm0")->text()};
    QVERIFY(shown.join('\n').contains(QStringLiteral("alpha0 = 0.000 deg")));
    for (const QString &text : shown)
        QVERIFY2(!text.contains(signedZero), qPrintable(text));
}

void tst_MainWindow::saveOverTheLoadedFile_data()
{
    QTest::addColumn<int>("panels");
    // At the reference paneling the press reaches the section's targets near enough.
    QTest::addColumn<bool>("asked");
    QTest::newRow("8 panels") << 8 << true;
    QTest::newRow("200 panels") << 200 << false;
}

void tst_MainWindow::saveOverTheLoadedFile()
{
    // The dialog proposes STEM-modified.dat beside the loaded file; the user picks the loaded
    // file itself and confirms the replacement, and the window then shows it as loaded: the
    // presses are in its contour, and its title says the values it has, whatever the paneling
    // the presses were made at. Where the press missed the targets, asked first, the user has
    // the section reach them: the file reads back within the reach tolerances.
    QFETCH(int, panels);
    QFETCH(bool, asked);
    Window win;
    win.panels()->setValue(panels);
    QAction *save = win.action("Save Airfoil As...");
    QVERIFY(!save->isEnabled());
    const QString path = writeNaca("s.dat", 0.02, 0.4, 0.12);
    win.w.loadFile(path);
    QVERIFY(save->isEnabled());
    win.decimal("alpha0 [deg]")->setValue(-3.0);
    win.decimal("cm0")->setValue(-0.07);
    win.pressModify();

    QStringList proposed;
    QString question;
    QString missed;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            proposed = dialog->selectedFiles();
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (box->text().startsWith(QLatin1String("The saved section gives"))) {
                missed = box->text();
                for (QAbstractButton *button : box->buttons())
                    if (button->text() == QLatin1String("Reach Targets and Save"))
                        button->click();
                return;
            }
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        }
    });
    timer.start(10);
    save->trigger();
    timer.stop();
    QCOMPARE(proposed, QStringList {dir.filePath("s-modified.dat")});
    QVERIFY2(question.contains("already exists"), qPrintable(question));
    QCOMPARE(
        missed.endsWith(QStringLiteral("the presses were made on the %1-panel line.").arg(panels)),
        asked);
    Study saved;
    QVERIFY(!saved.loadFile(path));
    const Targets targets {radians(-3.0), -0.07};
    QVERIFY(targets.reachedBy(saved.referenceCoefficients(),
        radians(asked ? Study::ReachAlpha0Degrees : Targets::ReachedAlpha0Degrees),
        asked ? Study::ReachCm0 : Targets::ReachedCm0));
    const QStringList file = win.lines("file");
    QCOMPARE(file.at(0),
        QStringLiteral("test section s.dat (alpha0 %1 deg, cm0 %2)")
            .arg(file.at(5).section(' ', 2, 2), file.at(6).section(' ', 2, 2)));
    QCOMPARE(win.lines("paneling").at(0),
        QStringLiteral("paneled line (%1 panels), %2 points").arg(panels).arg(panels + 1));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
