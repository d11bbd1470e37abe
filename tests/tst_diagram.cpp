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
    void construction();
    void keyZoomLimits_data();
    void keyZoomLimits();
    void wheelZoomLimits_data();
    void wheelZoomLimits();
    void refusedZoomLeavesTransform();
    void hintText();
    void drawsTheStudy();

private:
    static double zoom(const DiagramView &view) { return view.transform().m11(); }
    static void wheel(DiagramView *view, int delta);
};

void tst_Diagram::wheel(DiagramView *view, int delta)
{
    const QPointF pos = view->viewport()->rect().center();
    QWheelEvent event(pos, view->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &event);
}

void tst_Diagram::construction()
{
    DiagramScene scene;
    DiagramView view(&scene);
    QCOMPARE(scene.itemIndexMethod(), QGraphicsScene::NoIndex);
    QCOMPARE(scene.sceneRect(), QRectF(-100, -300, 1200, 600));
    QCOMPARE(view.scene(), &scene);
    QCOMPARE(zoom(view), 0.35);
    QCOMPARE(view.minimumSize(), QSize(500, 250));
    QVERIFY(scene.items().isEmpty());
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

    DiagramScene scene;
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

    DiagramScene scene;
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
    DiagramScene scene;
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

void tst_Diagram::hintText()
{
    // The hint is painted in scene coordinates: at zoom 1 its top-left lies 4 units inside
    // the scene rectangle, and nothing else is painted on the empty scene.
    DiagramScene scene;
    DiagramView view(&scene);
    view.setFrameShape(QFrame::NoFrame);
    view.resize(1300, 700);
    view.scaleView(1 / 0.35);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.ensureVisible(QRectF(-100, -300, 1, 1), 0, 0);
    const QImage image = view.viewport()->grab().toImage();

    const QPoint origin = view.mapFromScene(QPointF(-100, -300));
    int inkLeft = image.width(), inkTop = image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) {
                inkLeft = qMin(inkLeft, x);
                inkTop = qMin(inkTop, y);
            }
    QVERIFY2(inkLeft < image.width(), "no hint text painted");
    QVERIFY(inkLeft >= origin.x() + 4);
    QVERIFY(inkLeft <= origin.x() + 12);
    QVERIFY(inkTop >= origin.y() + 4);
    QVERIFY(inkTop <= origin.y() + 40);
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
    DiagramScene scene;
    scene.show(&study);
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
