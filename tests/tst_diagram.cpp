#include "diagramscene.h"
#include "diagramview.h"
#include "naca.h"
#include "study.h"

#include <QtTest>
#include <QtWidgets>

class tst_Diagram : public QObject
{
    Q_OBJECT

private slots:
    void keyZoomLimits_data();
    void keyZoomLimits();
    void wheelZoomLimits_data();
    void wheelZoomLimits();
    void refusedZoomLeavesTransform();
    void wheelKeepsThePointUnderTheMouse_data();
    void wheelKeepsThePointUnderTheMouse();
    void dragPansUnderAFixedHint();
    void drawsTheStudy();

private:
    static double zoom(const DiagramView &view) { return view.transform().m11(); }
    static void wheel(DiagramView *view, int delta, QPointF pos = QPointF(-1, -1));
    static void mouse(DiagramView *view, QEvent::Type type, const QPoint &pos);
    // A shown view of 600 by 400 pixels on an empty scene.
    struct Shown
    {
        Shown();
        Study study;
        DiagramScene scene {&study};
        DiagramView view {&scene};
    };
};

tst_Diagram::Shown::Shown()
{
    view.setFrameShape(QFrame::NoFrame);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
}

void tst_Diagram::wheel(DiagramView *view, int delta, QPointF pos)
{
    if (pos.x() < 0)
        pos = view->viewport()->rect().center();
    QWheelEvent event(pos, view->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &event);
}

void tst_Diagram::mouse(DiagramView *view, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButtons buttons
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(
        type, pos, view->viewport()->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &event);
}

void tst_Diagram::keyZoomLimits_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("accepted");

    QTest::newRow("plus") << int(Qt::Key_Plus) << 27;
    QTest::newRow("minus") << int(Qt::Key_Minus) << 10;
}

void tst_Diagram::keyZoomLimits()
{
    QFETCH(int, key);
    QFETCH(int, accepted);

    Study study;
    DiagramScene scene(&study);
    DiagramView view(&scene);
    const double factor = key == Qt::Key_Plus ? 1.2 : 1 / 1.2;
    double expected = 0.35;
    for (int i = 0; i < accepted; ++i) {
        QTest::keyClick(&view, Qt::Key(key));
        expected *= factor;
        QVERIFY(qAbs(zoom(view) - expected) < 1e-9 * expected);
    }
    QTest::keyClick(&view, Qt::Key(key));
    QTest::keyClick(&view, Qt::Key(key));
    QVERIFY(qAbs(zoom(view) - expected) < 1e-9 * expected);
}

void tst_Diagram::wheelZoomLimits_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<double>("limitZoom");

    QTest::newRow("towards the screen") << 120 << 14 << 44.80;
    QTest::newRow("towards the user") << -120 << 5 << 0.0619;
}

void tst_Diagram::wheelZoomLimits()
{
    QFETCH(int, delta);
    QFETCH(int, accepted);
    QFETCH(double, limitZoom);

    Study study;
    DiagramScene scene(&study);
    DiagramView view(&scene);
    for (int i = 0; i < accepted; ++i)
        wheel(&view, delta);
    QVERIFY(qAbs(zoom(view) - limitZoom) < 0.005 * limitZoom);
    const QTransform atLimit = view.transform();
    wheel(&view, delta);
    QCOMPARE(view.transform(), atLimit);
}

void tst_Diagram::refusedZoomLeavesTransform()
{
    Study study;
    DiagramScene scene(&study);
    DiagramView view(&scene);
    view.scaleView(200.0);
    QCOMPARE(zoom(view), 0.35);
    // Not clamped: even a step that would land just beyond the limit is dropped whole.
    view.scaleView(50.0 / 0.35 * 1.0001);
    QCOMPARE(zoom(view), 0.35);
    view.scaleView(0.05 / 0.35);
    QVERIFY(qAbs(zoom(view) - 0.05) < 1e-12);
    wheel(&view, 0);
    QVERIFY(qAbs(zoom(view) - 0.05) < 1e-12);
}

void tst_Diagram::wheelKeepsThePointUnderTheMouse_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("delta");
    // At the start the whole scene rectangle fits the viewport, where a scroll-bound view
    // could not keep the point.
    QTest::newRow("in, near a corner") << QPoint(20, 30) << 120;
    QTest::newRow("out, off centre") << QPoint(450, 120) << -120;
    QTest::newRow("in, a long way") << QPoint(580, 390) << 480;
}

void tst_Diagram::wheelKeepsThePointUnderTheMouse()
{
    QFETCH(QPoint, pos);
    QFETCH(int, delta);
    Shown shown;
    // Within a pixel after every step: the view scrolls by whole pixels, but their rounding
    // must not add up over the steps.
    const QPointF before = shown.view.mapToScene(pos);
    for (int i = 0; i < 3; ++i) {
        const double start = zoom(shown.view);
        wheel(&shown.view, delta, pos);
        QVERIFY(zoom(shown.view) != start);
        QVERIFY(QLineF(shown.view.viewportTransform().map(before), pos).length() <= 1.0);
    }
}

void tst_Diagram::dragPansUnderAFixedHint()
{
    // On an empty scene only the hint and the legend are painted: the hint starting 4 pixels
    // inside the top-left corner, the legend's red samples in the bottom-right one.
    Shown shown;
    const QImage start = shown.view.viewport()->grab().toImage();
    QRect ink, red;
    for (int y = 0; y < start.height(); ++y)
        for (int x = 0; x < start.width(); ++x) {
            const QColor c = start.pixelColor(x, y);
            if (qGray(c.rgb()) < 200)
                ink |= QRect(x, y, 1, 1);
            if (c.red() > 200 && c.green() < 100)
                red |= QRect(x, y, 1, 1);
        }
    QVERIFY2(!ink.isEmpty(), "nothing painted");
    QVERIFY(ink.left() >= 4 && ink.left() <= 12);
    QVERIFY(ink.top() >= 4 && ink.top() <= 16);
    QVERIFY(red.left() > 300 && red.top() > 300);

    // A zoom and a drag with the left button carry the diagram along; the hint and the legend
    // stay as they were.
    shown.view.scaleView(40.0);
    const QPoint from(300, 200), to(120, 330);
    const QPointF grabbed = shown.view.mapToScene(from);
    mouse(&shown.view, QEvent::MouseButtonPress, from);
    mouse(&shown.view, QEvent::MouseMove, (from + to) / 2);
    mouse(&shown.view, QEvent::MouseMove, to);
    mouse(&shown.view, QEvent::MouseButtonRelease, to);
    QVERIFY(QLineF(shown.view.viewportTransform().map(grabbed), to).length() <= 1.0);
    QCOMPARE(shown.view.viewport()->grab().toImage(), start);
}

void tst_Diagram::drawsTheStudy()
{
    // Contour points (black markers) joined in blue, the smooth contour in black, the axes in
    // green, the reference and the paneled line in red with markers at the stations.
    const int stations = 11;
    const int n = 5;
    const int points = 2 * stations - 1;
    const NacaSection section = nacaFourDigit(0.02, 0.4, 0.12, stations, false);
    QByteArray text = "d\n";
    for (size_t i = 0; i < section.x.size(); ++i)
        text += QByteArray::number(section.x[i], 'g', 17) + " "
            + QByteArray::number(section.y[i], 'g', 17) + "\n";
    QBuffer file(&text);
    QVERIFY(file.open(QBuffer::ReadOnly));
    Study study;
    DiagramScene scene(&study);
    QVERIFY(scene.items().isEmpty());
    QVERIFY(!study.load(&file, QStringLiteral("d.dat"), Paneling {n, 3.0, 2.0}));

    const auto byColour = [&](QHash<QRgb, QList<QLineF>> *lines, QHash<QRgb, int> *markers) {
        for (QGraphicsItem *item : scene.items(Qt::AscendingOrder)) {
            if (auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(item)) {
                QCOMPARE(line->pen().widthF(), 0.0);
                (*lines)[line->pen().color().rgb()] << line->line();
            } else if (auto *ellipse = qgraphicsitem_cast<QGraphicsEllipseItem *>(item)) {
                QCOMPARE(ellipse->rect().size(), QSizeF(4, 4));
                ++(*markers)[ellipse->pen().color().rgb()];
            }
        }
    };
    QHash<QRgb, QList<QLineF>> lines;
    QHash<QRgb, int> markers;
    byColour(&lines, &markers);
    const QList<QLineF> blue = lines.value(QColor(Qt::blue).rgb());
    const QList<QLineF> black = lines.value(QColor(Qt::black).rgb());
    QCOMPARE(blue.size(), points - 1);
    QCOMPARE(lines.value(QColor(Qt::green).rgb()).size(), 2);
    QCOMPARE(black.size(), 20 * (points - 1));
    QCOMPARE(lines.value(QColor(Qt::red).rgb()).size(), 200 + n);
    QCOMPARE(markers.value(QColor(Qt::black).rgb()), points);
    QCOMPARE(markers.value(QColor(Qt::red).rgb()), n - 1);
    // The smooth contour runs from the first contour point exactly to the last; normalised,
    // the trailing edge lies at 1000.
    QCOMPARE(black.first().p1(), blue.first().p1());
    QCOMPARE(black.last().p2(), blue.last().p2());
    QCOMPARE(blue.first().p1().x(), 1000.0);

    // A new paneling replaces the paneling alone.
    const QList<QGraphicsItem *> contour = scene.items(Qt::AscendingOrder).mid(0, 2 * points + 1);
    study.setPaneling(Paneling {2 * n, 3.0, 2.0});
    QCOMPARE(scene.items(Qt::AscendingOrder).mid(0, 2 * points + 1), contour);
    lines.clear();
    markers.clear();
    byColour(&lines, &markers);
    QCOMPARE(lines.value(QColor(Qt::red).rgb()).size(), 200 + 2 * n);
    QCOMPARE(markers.value(QColor(Qt::red).rgb()), 2 * n - 1);
    QCOMPARE(lines.value(QColor(Qt::black).rgb()).size(), 20 * (points - 1));
}

QTEST_MAIN(tst_Diagram)
#include "tst_diagram.moc"
