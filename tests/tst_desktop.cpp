#include "application.h"
#include "diagramview.h"
#include "mainwindow.h"
#include "oddfiles.h"
#include "paneling.h"
#include "recentfiles.h"

#include <QSvgRenderer>
#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>
#include <unistd.h>

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
    void unreadableSettings_data();
    void unreadableSettings();
    void exportDiagram_data();
    void exportDiagram();
    void copyResults();

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
                title = window->windowTitle();
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
    // One file opens; a folder or several files are passed over with a word in the status bar.
    MainWindow window;
    const QString path = foil(QStringLiteral("dropped.dat"));
    const auto drop = [&](const QList<QUrl> &urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(
            QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &drop);
    };
    drop({QUrl::fromLocalFile(dir.path())});
    QCOMPARE(window.windowTitle(), QStringLiteral("Liftwise - none"));
    QCOMPARE(
        window.statusBar()->currentMessage(), QStringLiteral("Drop one airfoil file to open it"));
    drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)});
    QCOMPARE(window.windowTitle(), QStringLiteral("Liftwise - none"));
    drop({QUrl::fromLocalFile(path)});
    QCOMPARE(window.windowTitle(), QStringLiteral("Liftwise - dropped.dat"));
    // A name that is not UTF-8 opens by its bytes.
    const QByteArray odd = QFile::encodeName(dir.path()) + "/\xff\xfe.dat";
    QCOMPARE(link(QFile::encodeName(path).constData(), odd.constData()), 0);
    drop({QUrl::fromEncoded("file://" + odd.toPercentEncoding("/"))});
    QVERIFY2(window.windowTitle().endsWith(".dat") && !window.windowTitle().endsWith("dropped.dat"),
        qPrintable(window.windowTitle()));
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
    QCOMPARE(window.windowTitle(),
        QStringLiteral("Liftwise - %1").arg(QFileInfo(paths.at(2)).fileName()));
}

void tst_Desktop::unreadableSettings_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::newRow("nonsense") << false;
    QTest::newRow("pipe") << true;
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

void tst_Desktop::exportDiagram_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("ontoPipe");
    QTest::newRow("airfoil, SVG") << 0 << "svg" << false;
    QTest::newRow("airfoil, PNG") << 0 << "png" << false;
    QTest::newRow("loading, SVG") << 1 << "svg" << false;
    QTest::newRow("onto a pipe") << 0 << "png" << true;
}

void tst_Desktop::exportDiagram()
{
    // What the diagram shows: a drawing that parses, or an image at twice the view's pixels.
    QFETCH(int, tab);
    QFETCH(QString, suffix);
    QFETCH(bool, ontoPipe);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.loadFile(foil(QStringLiteral("shown.dat")));
    QTabWidget *tabs = window.findChild<QTabWidget *>();
    tabs->setCurrentIndex(tab);
    const QString path
        = dir.filePath(QStringLiteral("export%1%2.%3").arg(tab).arg(ontoPipe).arg(suffix));
    if (ontoPipe)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QString message;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            // The dialog asks before it names a file that exists.
            if (QAbstractButton *yes = box->button(QMessageBox::Yes)) {
                yes->click();
                return;
            }
            message = box->text();
            box->accept();
        }
    });
    timer.start(10);
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == QStringLiteral("Export Diagram..."))
            action->trigger();
    timer.stop();
    if (ontoPipe) {
        QCOMPARE(
            message, QStringLiteral("Cannot write file %1:\nit is not a regular file.").arg(path));
        QVERIFY(!QFileInfo(path).isFile());
        return;
    }
    QCOMPARE(message, QString());
    if (suffix == "svg") {
        QSvgRenderer drawing(path);
        QVERIFY(drawing.isValid());
        QCOMPARE(drawing.viewBox(), tabs->currentWidget()->rect());
    } else {
        QCOMPARE(QImage(path).size(), tabs->currentWidget()->size() * 2);
    }
}

void tst_Desktop::copyResults()
{
    MainWindow window;
    const QString path = foil(QStringLiteral("copied.dat"));
    window.loadFile(path);
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == QStringLiteral("Copy Results"))
            action->trigger();
    QProcess cli;
    cli.start(QStringLiteral(LIFTWISE_CLI), {"analyze", path});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(cli.readAllStandardOutput()));
}

QTEST_MAIN(tst_Desktop)
#include "tst_desktop.moc"
