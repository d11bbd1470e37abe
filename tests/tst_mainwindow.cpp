#include "diagramview.h"
#include "mainwindow.h"
#include "naca.h"
#include "named.h"
#include "oddfiles.h"

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
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    QTextEdit *text(const QString &name) { return find<QTextEdit>(name); }
    QString plain(const QString &name) { return text(name)->toPlainText(); }
    QStringList lines(const QString &name) { return plain(name).split(QLatin1Char('\n')); }
    QSpinBox *panels() { return find<QSpinBox>(QStringLiteral("number of panels")); }
    QDoubleSpinBox *decimal(const QString &name) { return find<QDoubleSpinBox>(name); }
    QPushButton *modify() { return w.findChild<QPushButton *>(); }
    QGraphicsScene *scene() { return w.findChild<DiagramView *>()->scene(); }
    void finishEdit(QAbstractSpinBox *box) { QTest::keyClick(box, Qt::Key_Return); }
    void pressModify()
    {
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
    void startState();
    void spinBoxes_data();
    void spinBoxes();
    void menus();
    void noDataBeforeLoad();
    void loadShowsAnalysis();
    void defaultWidthLine();
    void angleSigns();
    void targetsFromReference();
    void targetsBoundedAtRange();
    void editFinishedWithoutChangeRegenerates();
    void secondLoadKeepsPaneling();
    void diagramItems();
    void unreadableFileKeepsEarlierLoad();
    void oddFiles_data();
    void oddFiles();
    void pipeRefused();
    void modifyBeforeLoadChangesNothing();
    void modifyWorkedCase();
    void modifyDiscardedByPanelingEdit();

private:
    QString writeNaca(const QString &name, double m, double p, double t, int stations = 31);
    QString writeText(const QString &name, const QByteArray &text);
    // Runs action, closes the message box it opens and returns "title|text".
    QString closeMessageBox(const std::function<void()> &action);

    QTemporaryDir dir;
};

QString tst_MainWindow::writeText(const QString &name, const QByteArray &text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QFile::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(text);
    return path;
}

QString tst_MainWindow::writeNaca(const QString &name, double m, double p, double t, int stations)
{
    const NacaSection section = nacaFourDigit(m, p, t, stations, false);
    QByteArray text = "test section " + name.toLatin1() + "\n";
    for (size_t i = 0; i < section.x.size(); ++i)
        text += QByteArray::number(section.x[i], 'f', 6) + "  "
            + QByteArray::number(section.y[i], 'f', 6) + "\n";
    return writeText(name, text);
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

void tst_MainWindow::startState()
{
    Window win;
    QCOMPARE(win.w.windowTitle(), QStringLiteral("Liftwise - none"));
    QCOMPARE(win.w.statusBar()->currentMessage(), QStringLiteral("Ready"));
    for (const QString name : {"file", "paneling", "results"}) {
        QVERIFY(win.plain(name).isEmpty());
        QVERIFY(win.text(name)->isReadOnly());
    }
    QVERIFY(win.scene()->items().isEmpty());
    QCOMPARE(win.modify()->text(), QStringLiteral("Modify"));
}

void tst_MainWindow::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("shown"); // at start, one step up, at the minimum, maximum

    QTest::newRow("panels") << "number of panels" << QStringList {"8", "9", "3", "999"};
    QTest::newRow("le density") << "leading edge density"
                                << QStringList {"3.00", "3.50", "1.00", "10.00"};
    QTest::newRow("te density") << "trailing edge density"
                                << QStringList {"2.00", "2.50", "1.00", "10.00"};
    QTest::newRow("alpha0") << "alpha0 [deg]"
                            << QStringList {"0.0000", "0.1000", "-10.0000", "10.0000"};
    QTest::newRow("cm0") << "cm0" << QStringList {"0.0000", "0.0100", "-0.2000", "0.2000"};
}

void tst_MainWindow::spinBoxes()
{
    QFETCH(QString, name);
    QFETCH(QStringList, shown);

    Window win;
    QAbstractSpinBox *box = win.find<QAbstractSpinBox>(name);
    QCOMPARE(box->text(), shown.at(0));
    box->stepBy(1);
    QCOMPARE(box->text(), shown.at(1));
    // No value outside the range is taken.
    box->stepBy(-1000000);
    QCOMPARE(box->text(), shown.at(2));
    box->stepBy(2000000);
    QCOMPARE(box->text(), shown.at(3));
}

void tst_MainWindow::menus()
{
    Window win;
    const QList<QAction *> bar = win.w.menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar.at(0)->text(), QStringLiteral("&File"));
    QVERIFY(bar.at(1)->isSeparator());
    QCOMPARE(bar.at(2)->text(), QStringLiteral("&Help"));

    const QList<QAction *> file = bar.at(0)->menu()->actions();
    QCOMPARE(file.size(), 2);
    QCOMPARE(file.at(0)->text(), QStringLiteral("&Open..."));
    QCOMPARE(file.at(0)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(file.at(0)->statusTip(), QStringLiteral("Open an airfoil *.dat file"));
    QCOMPARE(file.at(1)->text(), QStringLiteral("E&xit"));
    QCOMPARE(file.at(1)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));

    const QList<QAction *> help = bar.at(2)->menu()->actions();
    QCOMPARE(help.size(), 2);
    QCOMPARE(help.at(0)->text(), QStringLiteral("&About"));
    QVERIFY(help.at(0)->shortcut().isEmpty());
    QCOMPARE(help.at(1)->text(), QStringLiteral("About &Qt"));

    const QString about = closeMessageBox([&] { help.at(0)->trigger(); });
    QCOMPARE(about,
        QStringLiteral("About Liftwise|<b>Liftwise</b> demonstrates how to write modern GUI "
                       "applications using Qt."));

    // Exit closes at once, without a question.
    QVERIFY(win.w.isVisible());
    file.at(1)->trigger();
    QVERIFY(!win.w.isVisible());
}

void tst_MainWindow::noDataBeforeLoad()
{
    Window win;
    win.finishEdit(win.decimal("trailing edge density"));
    QCOMPARE(win.plain("results"), QStringLiteral("no data"));
    QVERIFY(win.plain("paneling").isEmpty());
    QVERIFY(win.plain("file").isEmpty());
    QVERIFY(win.scene()->items().isEmpty());
}

void tst_MainWindow::loadShowsAnalysis()
{
    Window win;
    const QString path = writeNaca("wing.dat", 0.02, 0.4, 0.12);
    win.w.loadFile(path);

    QCOMPARE(win.w.windowTitle(), QStringLiteral("Liftwise - wing.dat"));
    QCOMPARE(win.w.statusBar()->currentMessage(), QStringLiteral("File loaded"));
    QVERIFY(!QApplication::overrideCursor());

    const QStringList file = win.lines("file");
    QCOMPARE(file.at(0), QStringLiteral("test section wing.dat"));
    QCOMPARE(file.at(1), QStringLiteral("61 points"));
    QCOMPARE(file.at(2), QString());

    const QStringList paneling = win.lines("paneling");
    QCOMPARE(paneling.size(), 7);
    QCOMPARE(paneling.at(0), QStringLiteral("9 points"));
    // Same labels and formats for the reference and the paneled line.
    const QStringList patterns = {
        "^cl0 = -?\\d+\\.\\d{3}$",
        "^alpha0 = -?\\d+\\.\\d{3} deg$",
        "^cm0 = -?\\d+\\.\\d{4}$",
        "^d\\(cl\\)/da = 6\\.283$",
        "^alpha\\(sf\\) = -?\\d+\\.\\d{3} deg$",
        "^cl\\(sf\\) = -?\\d+\\.\\d{3}$",
    };
    for (int i = 0; i < 6; ++i) {
        const QRegularExpression re(patterns.at(i));
        QVERIFY2(re.match(paneling.at(i + 1)).hasMatch(), qPrintable(paneling.at(i + 1)));
        QVERIFY2(re.match(file.at(i + 3)).hasMatch(), qPrintable(file.at(i + 3)));
    }
    // A 2 % cambered section: the reference zero-lift angle is near the analytic -2.08 deg.
    const double alpha0 = file.at(4).section(' ', 2, 2).toDouble();
    QVERIFY2(alpha0 < -1.9 && alpha0 > -2.3, qPrintable(file.at(4)));

    // Minimum paneling: 4 points, three entries per result line.
    win.panels()->setValue(3);
    win.finishEdit(win.panels());
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("4 points"));
    QCOMPARE(win.lines("results").at(0).size(), 1 + 3 * 10);

    // Stepping the value does not recompute until the edit is finished.
    QTest::keyClick(win.panels(), Qt::Key_Up);
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("4 points"));
    win.finishEdit(win.panels());
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("5 points"));
}

void tst_MainWindow::defaultWidthLine()
{
    Window win;
    win.w.loadFile(writeNaca("a.dat", 0.04, 0.4, 0.12));
    const QStringList results = win.lines("results");
    QCOMPARE(results.size(), 2);
    QCOMPARE(results.at(0),
        QStringLiteral("     0.0326    0.0512    0.0881    0.1615    0.2496    0.2203"
                       "    0.1267    0.0701"));
    QCOMPARE(results.at(0).size(), 81);
    QCOMPARE(results.at(1).size(), 81);

    // The widths depend on the paneling alone.
    win.w.loadFile(writeNaca("b.dat", 0.0, 0.0, 0.09));
    QCOMPARE(win.lines("results").at(0), results.at(0));

    // Both lines are set in a fixed-pitch Courier of 9 points.
    QTextCursor cursor(win.text("results")->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    const QFont font = cursor.charFormat().font();
    QCOMPARE(font.family(), QStringLiteral("Courier"));
    QCOMPARE(font.pointSize(), 9);
    QVERIFY(font.fixedPitch());
    cursor.movePosition(QTextCursor::End);
    QCOMPARE(cursor.charFormat().font().family(), QStringLiteral("Courier"));
}

void tst_MainWindow::angleSigns()
{
    // A cambered line rises from the leading edge and falls to the trailing edge: negative
    // angles ahead, positive behind. A symmetric section gives angles of 0.0000.
    Window win;
    win.w.loadFile(writeNaca("c.dat", 0.04, 0.4, 0.12));
    const QStringList cambered
        = win.lines("results").at(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(cambered.size(), 8);
    QVERIFY(cambered.first().toDouble() < -5);
    QVERIFY(cambered.last().toDouble() > 5);

    win.w.loadFile(writeNaca("s.dat", 0.0, 0.0, 0.12));
    const QStringList flat = win.lines("results").at(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &entry : flat)
        QVERIFY2(entry == "0.0000" || entry == "-0.0000", qPrintable(entry));
}

void tst_MainWindow::targetsFromReference()
{
    Window win;
    win.w.loadFile(writeNaca("t.dat", 0.03, 0.3, 0.10));
    const QStringList file = win.lines("file");
    const double refAlpha0 = file.at(4).section(' ', 2, 2).toDouble();
    const double refCm0 = file.at(5).section(' ', 2, 2).toDouble();
    const double panAlpha0 = win.lines("paneling").at(2).section(' ', 2, 2).toDouble();
    QVERIFY(qAbs(win.decimal("alpha0 [deg]")->value() - refAlpha0) <= 0.0006);
    QVERIFY(qAbs(win.decimal("cm0")->value() - refCm0) <= 0.00006);
    // The coarse paneling differs visibly, so this tells the two lines apart.
    QVERIFY(qAbs(panAlpha0 - refAlpha0) > 0.01);
}

void tst_MainWindow::targetsBoundedAtRange()
{
    Window win;
    win.w.loadFile(writeNaca("big.dat", 0.15, 0.4, 0.12));
    QVERIFY(win.lines("file").at(4).section(' ', 2, 2).toDouble() < -10);
    QCOMPARE(win.decimal("alpha0 [deg]")->value(), -10.0);
    QCOMPARE(win.decimal("cm0")->value(), -0.2);
}

void tst_MainWindow::editFinishedWithoutChangeRegenerates()
{
    Window win;
    win.w.loadFile(writeNaca("e.dat", 0.02, 0.4, 0.12));
    win.pressModify();
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("modified paneling"));
    win.finishEdit(win.decimal("leading edge density"));
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("9 points"));
}

void tst_MainWindow::secondLoadKeepsPaneling()
{
    Window win;
    win.w.loadFile(writeNaca("one.dat", 0.02, 0.4, 0.12));
    win.panels()->setValue(12);
    win.finishEdit(win.panels());
    win.w.loadFile(writeNaca("two.dat", 0.04, 0.4, 0.12));
    QCOMPARE(win.w.windowTitle(), QStringLiteral("Liftwise - two.dat"));
    QCOMPARE(win.panels()->value(), 12);
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("13 points"));
}

void tst_MainWindow::diagramItems()
{
    Window win;
    const int stations = 11;
    const int n = 5;
    win.panels()->setValue(n);
    win.w.loadFile(writeNaca("d.dat", 0.02, 0.4, 0.12, stations));
    const int points = 2 * stations - 1;

    QHash<QRgb, QList<QLineF>> lines;
    QHash<QRgb, int> markers;
    for (QGraphicsItem *item : win.scene()->items(Qt::AscendingOrder)) {
        if (auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(item)) {
            QCOMPARE(line->pen().widthF(), 0.0);
            lines[line->pen().color().rgb()] << line->line();
            if (line->pen().color() == Qt::red)
                QCOMPARE(line->pen().capStyle(), Qt::RoundCap);
        } else if (auto *ellipse = qgraphicsitem_cast<QGraphicsEllipseItem *>(item)) {
            QCOMPARE(ellipse->rect().size(), QSizeF(4, 4));
            QCOMPARE(ellipse->brush().style(), Qt::NoBrush);
            ++markers[ellipse->pen().color().rgb()];
        } else {
            QFAIL("unexpected item");
        }
    }
    const QList<QLineF> blue = lines.value(QColor(Qt::blue).rgb());
    const QList<QLineF> black = lines.value(QColor(Qt::black).rgb());
    QCOMPARE(blue.size(), points - 1);
    QCOMPARE(lines.value(QColor(Qt::green).rgb()).size(), 2);
    QCOMPARE(black.size(), 20 * (points - 1));
    QCOMPARE(lines.value(QColor(Qt::red).rgb()).size(), 200 + n);
    QCOMPARE(markers.value(QColor(Qt::black).rgb()), points);
    QCOMPARE(markers.value(QColor(Qt::red).rgb()), n - 1);
    // The smooth contour runs from the first contour point exactly to the last.
    QCOMPARE(black.first().p1(), blue.first().p1());
    QCOMPARE(black.last().p2(), blue.last().p2());
    // Normalised: the trailing edge at 1000, the leading edge at the origin.
    QCOMPARE(blue.first().p1().x(), 1000.0);
    QVERIFY(win.scene()->itemsBoundingRect().left() > -10);
}

void tst_MainWindow::unreadableFileKeepsEarlierLoad()
{
    Window win;
    win.w.loadFile(writeNaca("good.dat", 0.02, 0.4, 0.12));
    const Snapshot before(win);
    // A "%2" in the path must not be taken for the placeholder of the reason.
    const QString missing = dir.filePath("missing%2.dat");
    const QString seen = closeMessageBox([&] { win.w.loadFile(missing); });
    QCOMPARE(seen,
        QStringLiteral("Liftwise|Cannot read file %1:\nNo such file or directory.").arg(missing));
    QVERIFY(Snapshot(win) == before);
    QVERIFY(!QApplication::overrideCursor());
}

void tst_MainWindow::oddFiles_data() { addOddFileRows(); }

void tst_MainWindow::oddFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isDirectory);
    QFETCH(bool, loads);
    QFETCH(QString, told);
    QFETCH(QByteArray, same);

    const QString path = isDirectory ? dir.path() : writeText(QStringLiteral("odd.dat"), bytes);
    // Before and after an earlier load: a refused file may change nothing on screen either way.
    for (const bool earlier : {false, true}) {
        Window win;
        if (earlier)
            win.w.loadFile(writeNaca("kept.dat", 0.04, 0.3, 0.1));
        const Snapshot before(win);
        const QString seen = closeMessageBox([&] { win.w.loadFile(path); });
        QVERIFY(!QApplication::overrideCursor());
        if (!loads) {
            const QString prefix = isDirectory ? "Cannot read file" : "Cannot analyse file";
            QVERIFY2(seen.startsWith(QStringLiteral("Liftwise|%1 %2:\n%3").arg(prefix, path, told))
                    && seen.endsWith(QLatin1Char('.')),
                qPrintable(seen));
            QVERIFY(Snapshot(win) == before);
            continue;
        }
        QVERIFY2(seen.isEmpty(), qPrintable(seen));
        QCOMPARE(win.w.windowTitle(), QStringLiteral("Liftwise - odd.dat"));
        // Above the blank line what the user is told, below it the coefficients, which are
        // those of the file it must analyse as.
        const QStringList shown = win.lines("file");
        const int blank = int(shown.indexOf(QString()));
        QCOMPARE(shown.mid(0, blank).join(QLatin1Char('\n')), told);
        Window alike;
        alike.w.loadFile(
            writeText(QStringLiteral("alike.dat"), same.isEmpty() ? plainFile("plain", 21) : same));
        const QStringList expected = alike.lines("file");
        QCOMPARE(shown.mid(blank), expected.mid(expected.indexOf(QString())));
        QCOMPARE(win.plain("paneling"), alike.plain("paneling"));
    }
}

void tst_MainWindow::pipeRefused()
{
    // Opening a pipe would wait for a writer and freeze the window.
    Window win;
    win.w.loadFile(writeNaca("kept.dat", 0.04, 0.3, 0.1));
    const Snapshot before(win);
    const QString fifo = dir.filePath(QStringLiteral("pipe.dat"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString seen = closeMessageBox([&] { win.w.loadFile(fifo); });
    QCOMPARE(
        seen, QStringLiteral("Liftwise|Cannot read file %1:\nit is not a regular file.").arg(fifo));
    QVERIFY(Snapshot(win) == before);
}

void tst_MainWindow::modifyBeforeLoadChangesNothing()
{
    Window win;
    const Snapshot before(win);
    win.pressModify();
    QVERIFY(Snapshot(win) == before);
}

void tst_MainWindow::modifyWorkedCase()
{
    // A symmetric section has a flat camber line: the start values are zero.
    Window win;
    win.w.loadFile(writeNaca("sym.dat", 0.0, 0.0, 0.12));
    const QString file = win.plain("file");
    win.decimal("alpha0 [deg]")->setValue(-2.0);
    win.decimal("cm0")->setValue(-0.05);

    // The press itself, not the release, runs the modification.
    QTest::mousePress(win.modify(), Qt::LeftButton);
    QStringList lines = win.lines("paneling");
    QTest::mouseRelease(win.modify(), Qt::LeftButton);
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.at(0), QStringLiteral("modified paneling"));
    QVERIFY2(QRegularExpression("^start  :  a0=   -?0\\.000  cm0=  -?0\\.0000$")
                 .match(lines.at(1))
                 .hasMatch(),
        qPrintable(lines.at(1)));
    QCOMPARE(lines.at(2), QStringLiteral("target :  a0=  -2.000  cm0= -0.0500"));
    QCOMPARE(lines.at(3), QStringLiteral("coefficients :  a=  3.2175  b=  2.2826"));
    QCOMPARE(lines.at(4), QStringLiteral("9 points"));
    QCOMPARE(lines.at(6), QStringLiteral("alpha0 = -2.001 deg"));
    QCOMPARE(lines.at(7), QStringLiteral("cm0 = -0.0497"));

    // The second press corrects what the first left over.
    win.pressModify();
    lines = win.lines("paneling");
    QCOMPARE(lines.at(3), QStringLiteral("coefficients :  a= -0.0226  b= -0.0430"));
    QCOMPARE(lines.at(6), QStringLiteral("alpha0 = -2.000 deg"));
    QCOMPARE(lines.at(7), QStringLiteral("cm0 = -0.0500"));

    // The reference listing and the reference line stay as they were.
    QCOMPARE(win.plain("file"), file);
}

void tst_MainWindow::modifyDiscardedByPanelingEdit()
{
    Window win;
    win.w.loadFile(writeNaca("m.dat", 0.02, 0.4, 0.12));
    const QString results = win.plain("results");
    win.decimal("alpha0 [deg]")->setValue(-4.0);
    win.pressModify();
    QVERIFY(win.plain("results") != results);
    win.finishEdit(win.panels());
    QCOMPARE(win.plain("results"), results);
    QCOMPARE(win.lines("paneling").at(0), QStringLiteral("9 points"));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
