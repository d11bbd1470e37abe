#include "diagramscene.h"
#include "diagramview.h"

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

QTEST_MAIN(tst_Diagram)
#include "tst_diagram.moc"
