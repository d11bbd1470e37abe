#include "application.h"
#include "convergence.h"
#include "diagramview.h"
#include "format.h"
#include "mainwindow.h"
#include "oddfiles.h"
#include "paneling.h"
#include "recentfiles.h"
#include "study.h"
#include "workspace.h"

#include <QChartView>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgRenderer>
#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString title(const QWidget &window) { return window.windowTitle().remove(QStringLiteral("[*]")); }

// The window's action of the menu text.
QAction *action(const QWidget &window, const QString &text)
{
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == text)
            return action;
    qFatal("no action %s", qPrintable(text));
    return nullptr;
}

} // namespace

// The window as a desktop program: opened from the command line or a drop, remembering across
// runs, exporting and copying what it shows.
class tst_Desktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void fileOnTheCommandLine();
    void drops();
    void recentFilesAcrossRuns();
    void recentNames_data();
    void recentNames();
    void unreadableSettings_data();
    void unreadableSettings();
    void splittersAcrossRuns();
    void savedNames_data();
    void savedNames();
    void copyResults_data();
    void copyResults();
    void reportHandsIn();
    void exportContour();
    void printToAFile_data();
    void printToAFile();

private:
    QString foil(const QString &name);
    QTemporaryDir dir;
};

QString tst_Desktop::foil(const QString &name)
{
    return writeFile(dir, name, plainFile("foil", 21));
}

void tst_Desktop::initTestCase()
{
    // Settings go to a folder of the test's own.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Liftwise"));
    QCoreApplication::setApplicationName(QStringLiteral("Liftwise"));
}

void tst_Desktop::init() { QSettings().clear(); }

void tst_Desktop::fileOnTheCommandLine()
{
    // The window opens the file it is given, and keeps the paneling fields for the next run.
    const QString path = foil(QStringLiteral("given.dat"));
    QString title;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<MainWindow *>(widget)) {
                title = ::title(*window);
                window->findChild<QSpinBox *>()->setValue(17);
                window->close();
            }
        }
    });
    QCOMPARE(runLiftwise({"liftwise", path}), 0);
    QCOMPARE(title, QStringLiteral("Liftwise - given.dat"));
    QCOMPARE(QSettings().value("paneling/panels").toInt(), 17);
    // The next window starts with that paneling and nothing in its panels yet.
    MainWindow next;
    QCOMPARE(next.findChild<QSpinBox *>()->value(), 17);
    for (const QTextEdit *text : next.findChildren<QTextEdit *>())
        QVERIFY(text->toPlainText().isEmpty());
    QCOMPARE(runLiftwise({"liftwise", path, "second.dat"}), 2);
}

void tst_Desktop::drops()
{
    // One file opens; a folder is passed over with a word in the status bar; several files are
    // each added as a section, the first in place of the window's empty one, and listed.
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString path = foil(QStringLiteral("dropped.dat"));
    const auto dropOn = [&](QWidget *target, const QList<QUrl> &urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(
            QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(QPoint(12, 12), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(12, 12), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    };
    const auto drop = [&](const QList<QUrl> &urls) { dropOn(&window, urls); };
    drop({QUrl::fromLocalFile(dir.path())});
    QCOMPARE(title(window), QStringLiteral("Liftwise - none"));
    QCOMPARE(
        window.statusBar()->currentMessage(), QStringLiteral("Drop one airfoil file to open it"));
    drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)});
    QCOMPARE(title(window), QStringLiteral("Liftwise - dropped.dat"));
    QCOMPARE(window.findChild<Workspace *>()->count(), 2);
    QCOMPARE(window.findChild<QListWidget *>()->count(), 2);
    QVERIFY(window.findChild<QDockWidget *>()->isVisible());
    drop({QUrl::fromLocalFile(path)});
    QCOMPARE(title(window), QStringLiteral("Liftwise - dropped.dat"));
    QCOMPARE(window.findChild<Workspace *>()->count(), 2);
    // A name that is not UTF-8 opens by its bytes.
    const QByteArray odd = QFile::encodeName(dir.path()) + "/\xff\xfe.dat";
    QCOMPARE(link(QFile::encodeName(path).constData(), odd.constData()), 0);
    drop({QUrl::fromEncoded("file://" + odd.toPercentEncoding("/"))});
    QVERIFY2(title(window).endsWith(".dat") && !title(window).endsWith("dropped.dat"),
        qPrintable(title(window)));
    // Anywhere on the window: the diagram, both plots, the panels and the fields.
    QList<QWidget *> targets;
    // A popup's list, a window of its own, takes no drop while it is closed.
    for (QAbstractScrollArea *area : window.findChildren<QAbstractScrollArea *>())
        if (area->window() == &window)
            targets << area->viewport();
    for (QAbstractSpinBox *field : window.findChildren<QAbstractSpinBox *>())
        targets << field;
    QVERIFY(targets.size() >= 11);
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const QString name = QStringLiteral("on%1.dat").arg(i);
        dropOn(targets.at(i), {QUrl::fromLocalFile(foil(name))});
        QVERIFY2(title(window).endsWith(name),
            qPrintable(targets.at(i)->metaObject()->className() + QStringLiteral(" ")
                + targets.at(i)->parent()->metaObject()->className()));
    }
}

void tst_Desktop::recentFilesAcrossRuns()
{
    // Ten files opened in one window's life; the next window lists the last eight, the most
    // recent first, and drops a file that has gone when the menu is shown.
    QStringList paths;
    {
        MainWindow window;
        for (int i = 0; i < 10; ++i) {
            paths.prepend(foil(QStringLiteral("recent%1.dat").arg(i)));
            window.loadFile(paths.first());
        }
        window.loadFile(paths.at(3));
        paths.move(3, 0);
    }
    MainWindow window;
    QFile::remove(paths.at(1));
    RecentFilesMenu *menu = window.findChild<RecentFilesMenu *>();
    emit menu->aboutToShow();
    QStringList listed;
    for (QAction *action : menu->actions())
        listed << action->statusTip();
    QCOMPARE(listed, QStringList {paths.at(0)} + paths.mid(2, 6));
    menu->actions().at(1)->trigger();
    QCOMPARE(title(window), QStringLiteral("Liftwise - %1").arg(QFileInfo(paths.at(2)).fileName()));
}

void tst_Desktop::unreadableSettings_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::newRow("nonsense") << false;
    QTest::newRow("pipe") << true;
}

void tst_Desktop::recentNames_data()
{
    // Files opened in this order, in folders of the test's own; listed last first, by name, and
    // by as many folders as tell files of one name apart.
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("names of their own")
        << QStringList {"a/x.dat", "b/y.dat"} << QStringList {"&1 y.dat", "&2 x.dat"};
    QTest::newRow("one name") << QStringList {"examples/naca2412.dat", "mine/naca2412.dat", "z.dat"}
                              << QStringList {"&1 z.dat", "&2 naca2412.dat — mine/",
                                     "&3 naca2412.dat — examples/"};
    QTest::newRow("one name and folder") << QStringList {"a/foils/w.dat",
        "b/foils/w.dat"} << QStringList {"&1 w.dat — b/foils/", "&2 w.dat — a/foils/"};
}

void tst_Desktop::recentNames()
{
    QFETCH(QStringList, opened);
    QFETCH(QStringList, listed);
    QTemporaryDir folders;
    MainWindow window;
    QStringList paths;
    for (const QString &name : opened) {
        const QString path = folders.filePath(name);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        window.loadFile(writeFile(folders, name, plainFile("foil", 21)));
        paths.prepend(QFileInfo(path).absoluteFilePath());
    }
    RecentFilesMenu *menu = window.findChild<RecentFilesMenu *>();
    emit menu->aboutToShow();
    QStringList texts;
    QStringList tips;
    for (const QAction *action : menu->actions()) {
        texts << action->text();
        tips << action->toolTip();
    }
    QCOMPARE(texts, listed);
    QCOMPARE(tips, paths);
}

void tst_Desktop::unreadableSettings()
{
    // A settings file of nonsense, or one that is not a regular file (a pipe would keep the
    // window from ever appearing), is passed over: the window starts with its defaults, and a
    // pipe stays a pipe.
    QFETCH(bool, pipe);
    const QString file = QSettings().fileName();
    QDir().mkpath(QFileInfo(file).path());
    QFile::remove(file);
    const auto removeIt = qScopeGuard([&] { QFile::remove(file); });
    if (pipe) {
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else {
        QFile settings(file);
        QVERIFY(settings.open(QFile::WriteOnly));
        settings.write("[paneling\npanels=\x01\x02 nonsense\n\xff\xfe "
                       "recentFiles=@Variant(\\0\\0\\x7f)\n");
    }
    int panels = 0;
    QStringList recent = {"none read"};
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<MainWindow *>(widget)) {
                panels = window->findChild<QSpinBox *>()->value();
                recent = RecentFilesMenu::files();
                window->close();
            }
        }
    });
    QCOMPARE(runLiftwise({"liftwise"}), 0);
    QCOMPARE(panels, Paneling().panels);
    QCOMPARE(recent, QStringList());
    QCOMPARE(QFileInfo(file).isFile(), !pipe);
}

void tst_Desktop::splittersAcrossRuns()
{
    // A drag of the handle between the diagram and the file panel moves the one between the
    // paneling and the Modify fields along; the next window has both where they were left.
    QList<int> upper;
    QList<int> lower;
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<QSplitter *> splitters = window.findChildren<QSplitter *>();
        QSplitter *across = splitters.at(1);
        QCOMPARE(across->orientation(), Qt::Horizontal);
        QSplitterHandle *handle = across->handle(1);
        const QList<int> before = across->sizes();
        const QPoint from = handle->rect().center();
        for (const auto &[type, pos] :
            {std::pair {QEvent::MouseButtonPress, from}, {QEvent::MouseMove, from - QPoint(60, 0)},
                {QEvent::MouseButtonRelease, from - QPoint(120, 0)}}) {
            QMouseEvent event(type, pos, handle->mapToGlobal(pos), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
            QCoreApplication::sendEvent(handle, &event);
        }
        upper = across->sizes();
        lower = splitters.at(2)->sizes();
        QVERIFY(upper != before);
        QCOMPARE(lower, upper);
        window.close();
    }
    MainWindow next;
    next.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    QCOMPARE(next.findChildren<QSplitter *>().at(1)->sizes(), upper);
    QCOMPARE(next.findChildren<QSplitter *>().at(2)->sizes(), lower);
}

void tst_Desktop::savedNames_data()
{
    // A name typed without an extension gets the chosen filter's. The data of a tab are its
    // tables, named after the name typed; the convergence plot's hold every count of its plan.
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    const auto row = [](const char *tag, const char *action, int tab, const char *filter,
                         const char *typed, const char *written) {
        QTest::newRow(tag) << QString(action) << tab << QString(filter) << QString(typed)
                           << QString(written);
    };
    const char *save = "Save Airfoil As...";
    const char *exporting = "Export Diagram...";
    row("save", save, 0, "", "unmod", "unmod.dat");
    row("save, all files", save, 0, "all files (*)", "unmod", "unmod");
    row("airfoil, SVG", exporting, 0, "", "drawing.svg", "drawing.svg");
    row("airfoil, PNG", exporting, 0, "", "noext", "noext.png");
    row("loading, SVG", exporting, 1, "SVG drawing (*.svg)", "noext", "noext.svg");
    row("airfoil, data", "Export Data...", 0, "", "wing", "wing-camber.csv,wing-contour.csv");
    row("convergence, data", "Export Data...", 2, "", "wing.csv", "wing-convergence.csv");
    row("report", "Export Report...", 0, "", "page", "page.pdf");
}

void tst_Desktop::savedNames()
{
    QFETCH(QString, action);
    QFETCH(int, tab);
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.loadFile(foil(QStringLiteral("shown.dat")));
    QTabWidget *tabs = window.findChild<QTabWidget *>();
    tabs->setCurrentIndex(tab);
    const QString folder = dir.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(folder));
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            if (!filter.isEmpty())
                dialog->selectNameFilter(filter);
            dialog->selectFile(QDir(folder).filePath(typed));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    timer.start(10);
    ::action(window, action)->trigger();
    timer.stop();
    QCOMPARE(QDir(folder).entryList(QDir::Files), written.split(','));
    // The status bar names every file written, where it is.
    QStringList paths;
    for (const QString &name : written.split(','))
        paths << QDir::toNativeSeparators(QDir(folder).filePath(name));
    const QString named = paths.size() == 1
        ? paths.first()
        : paths.mid(0, paths.size() - 1).join(", ") + " and " + paths.last();
    if (action != "Export Report...")
        QCOMPARE(window.statusBar()->currentMessage(), "Saved " + named);
    const QString path = QDir(folder).filePath(written.split(',').first());
    // A plot scrolls in its tab where the tab is smaller than the plot.
    QWidget *page = tabs->currentWidget();
    const QSize shown
        = (page->findChild<QChartView *>() ? page->findChild<QChartView *>() : page)->size();
    if (written.endsWith(".svg")) {
        // What the tab shows, with a line of caption below it.
        QSvgRenderer drawing(path);
        QVERIFY(drawing.isValid());
        QCOMPARE(drawing.viewBox().size().width(), shown.width());
        QVERIFY(drawing.viewBox().size().height() > shown.height());
        // For a report: the caption names the airfoil, its file and the paneling; the hint
        // is left out, and each line is one path, not a polyline a segment.
        const QString svg = QString::fromUtf8(readFile(path));
        QVERIFY(svg.contains(QStringLiteral(
            "foil — shown.dat — 8 panels, leading edge density 3.00, trailing edge density 2.00")));
        QVERIFY(!svg.contains(QStringLiteral("zoom with the mouse wheel")));
        if (tab == 0)
            QVERIFY(
                svg.count(QStringLiteral("<path")) + svg.count(QStringLiteral("<polyline")) < 40);
    } else if (written.endsWith(".png")) {
        const QSize image = QImage(path).size();
        QCOMPARE(image.width(), 2 * shown.width());
        QVERIFY(image.height() > 2 * shown.height());
    } else if (written.endsWith(".csv")) {
        const QList<QByteArray> rows = readFile(path).split('\n');
        if (tab == 2)
            QCOMPARE(rows.size(), Convergence::sampledCounts(Paneling().panels).size() + 2);
        QCOMPARE(rows.first(), tab == 2 ? "panels,alpha0_deg,cm0\r" : "x,y_reference,y_paneled\r");
    } else if (written.endsWith(".pdf")) {
        QVERIFY(readFile(path).startsWith("%PDF-"));
    } else {
        QVERIFY(readFile(path).startsWith("foil\n"));
    }
}

void tst_Desktop::copyResults_data()
{
    // The panels as liftwise-cli analyze prints them, after where they come from.
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("study");
    QTest::newRow("as loaded") << 0
                               << "paneling: 8 panels, leading edge density 3.00, trailing edge "
                                  "density 2.00\n";
    QTest::newRow("two presses")
        << 2
        << "paneling: 8 panels, leading edge density 3.00, trailing edge density 2.00\n"
           "Modify presses towards: alpha0 -3.0000 deg, cm0 -0.0700; alpha0 -3.0000 deg, cm0 "
           "-0.0700\n";
}

void tst_Desktop::copyResults()
{
    QFETCH(int, presses);
    QFETCH(QString, study);
    MainWindow window;
    const QString path = foil(QStringLiteral("copied.dat"));
    window.loadFile(path);
    const QStringList targets {"alpha0 [deg]", "cm0"};
    for (QDoubleSpinBox *box : window.findChildren<QDoubleSpinBox *>())
        if (targets.contains(box->accessibleName()))
            box->setValue(box->accessibleName() == targets.first() ? -3.0 : -0.07);
    for (int i = 0; i < presses; ++i)
        emit window.findChild<QPushButton *>()->pressed();
    action(window, QStringLiteral("Copy Results"))->trigger();
    QStringList arguments {"analyze", path};
    if (presses > 0)
        arguments << "--alpha0"
                  << "-3"
                  << "--cm0"
                  << "-0.07"
                  << "--presses" << QString::number(presses);
    QProcess cli;
    cli.start(QStringLiteral(LIFTWISE_CLI), arguments);
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(QGuiApplication::clipboard()->text(),
        "[study]\npath: " + QDir::toNativeSeparators(path) + "\n" + study
            + QString::fromUtf8(cli.readAllStandardOutput()));
}

void tst_Desktop::reportHandsIn()
{
    // The author and course kept from Report Details, the presses with what the section
    // reached (not the paneled line), and a page comparing the other visible section.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (Debian poppler-utils) is not installed; scripts/install-deps.sh test "
              "installs it");
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.loadFile(foil(QStringLiteral("handed.dat")));
    for (QDoubleSpinBox *box : window.findChildren<QDoubleSpinBox *>())
        if (box->accessibleName() == QLatin1String("cm0"))
            box->setValue(-0.07);
    emit window.findChild<QPushButton *>()->pressed();
    const QString path = dir.filePath(QStringLiteral("handed-report.pdf"));
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            const QList<QLineEdit *> fields = dialog->findChildren<QLineEdit *>();
            if (fields.size() == 2) {
                fields.at(0)->setText(QStringLiteral("  A. Student "));
                fields.at(1)->setText(QStringLiteral("Wings 101"));
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        }
    });
    timer.start(10);
    action(window, QStringLiteral("Report &Details..."))->trigger();
    action(window, QStringLiteral("Add to Comparison"))->trigger();
    action(window, QStringLiteral("Export Report..."))->trigger();
    timer.stop();
    QProcess pdftotext;
    pdftotext.start(
        QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const Study &study = *window.findChild<Workspace *>()->current();
    const QString reached
        = QRegularExpression::escape(Format::fixed(degrees(study.reshapedReference()->alpha0), 3))
        + QStringLiteral(" +")
        + QRegularExpression::escape(Format::fixed(study.reshapedReference()->cm0, 4));
    QVERIFY2(
        QRegularExpression(reached).match(text).hasMatch(), qPrintable(reached + " in\n" + text));
    // Both sections' values with their error bars, the loaded one's pressed before it came in.
    QCOMPARE(text.count(QStringLiteral("extrapolated: alpha0 = ")), 2);
    for (const QString &shown : {QStringLiteral("Author: A. Student\n"),
             QStringLiteral("Course: Wings 101"), QStringLiteral("Modify presses"),
             QStringLiteral("Comparison of 2 sections"), QStringLiteral("foil (reshaped)")})
        QVERIFY2(text.contains(shown), qPrintable(shown + " in\n" + text));
}

void tst_Desktop::exportContour()
{
    // The chord is asked first, 200 mm until one is given and then the last one; the type is
    // the chosen filter's. A pipe is refused with the usual message and left as it was.
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAction *exporting = action(window, QStringLiteral("Export Contour..."));
    QVERIFY(!exporting->isEnabled());
    window.loadFile(foil(QStringLiteral("rib.dat")));
    QVERIFY(exporting->isEnabled());
    const QString pipe = dir.filePath(QStringLiteral("pipe.pdf"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QString name;
    double offered = 0.0;
    QString told;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            offered = input->doubleValue();
            input->setDoubleValue(150);
            input->accept();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            // A name without its extension, without the question of replacing the pipe, a box
            // of the dialog's own. The dialog leaves alone the name of a field that has the
            // focus.
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectNameFilter(QStringLiteral("PDF document (*.pdf)"));
            if (QWidget *field = dialog->focusWidget())
                field->clearFocus();
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            told = box->text();
            box->accept();
        }
    });
    timer.start(10);
    name = dir.filePath(QStringLiteral("rib"));
    exporting->trigger();
    QCOMPARE(offered, 200.0);
    QVERIFY(readFile(name + QStringLiteral(".pdf")).startsWith("%PDF-"));
    name = pipe.chopped(4);
    exporting->trigger();
    QCOMPARE(offered, 150.0);
    QCOMPARE(told, QStringLiteral("Cannot write file %1:\nit is not a regular file.").arg(pipe));
    QVERIFY(!QFileInfo(pipe).isFile());
}

void tst_Desktop::printToAFile_data()
{
    // Printed to a file, the page is written as every other file: a pipe or a device is
    // refused and left as it was, and "printed" is said only of a file written whole.
    QTest::addColumn<QString>("kind");
    QTest::newRow("regular file") << "regular";
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("device") << "device";
}

void tst_Desktop::printToAFile()
{
    QFETCH(QString, kind);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.loadFile(foil(QStringLiteral("printed.dat")));
    QString path = dir.filePath(QStringLiteral("printed-%1.pdf").arg(kind));
    if (kind == "regular")
        QVERIFY(writeFile(dir, QFileInfo(path).fileName(), "old").size() > 0);
    else if (kind == "pipe")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        path = QStringLiteral("/dev/full");
    QString told;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QPrintDialog *>(modal)) {
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(path);
            if (auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
                field->setText(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            told = box->text();
            box->accept();
        }
    });
    timer.start(10);
    action(window, QStringLiteral("Print..."))->trigger();
    timer.stop();
    if (kind == "regular") {
        QVERIFY2(told.isEmpty(), qPrintable(told));
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Report printed: ") + path);
        QVERIFY(readFile(path).startsWith("%PDF-"));
    } else {
        QCOMPARE(
            told, QStringLiteral("Cannot write file %1:\nit is not a regular file.").arg(path));
        QVERIFY(!window.statusBar()->currentMessage().startsWith(QStringLiteral("Report printed")));
        QVERIFY(!QFileInfo(path).isFile());
    }
}

QTEST_MAIN(tst_Desktop)
#include "tst_desktop.moc"
