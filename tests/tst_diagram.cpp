#include "diagramscene.h"
#include "diagramview.h"
#include "oddfiles.h"
#include "study.h"

#include <QtTest>
#include <QtWidgets>

class tst_Diagram : public QObject
{
    Q_OBJECT

private slots:
    void zoomLimits_data();
    void zoomLimits();
    void wheelKeepsThePointUnderTheMouse_data();
    void wheelKeepsThePointUnderTheMouse();
    void dragPansUnderAFixedHint();
    void hintGoesOnceMoved();
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

void tst_Diagram::zoomLimits_data()
{
    // Steps up to the last that stays within 0.05 ... 50; the next would leave it and is
    // dropped whole, not clamped to the limit. A key scales by 1.2 from 0.35.
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<double>("limitZoom");
    QTest::addColumn<double>("within");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const double in = 0.35 * std::pow(1.2, 27);
    const double out = 0.35 / std::pow(1.2, 10);
    QTest::newRow("plus") << int(Qt::Key_Plus) << none << 0 << 27 << in << 1e-9;
    QTest::newRow("equals") << int(Qt::Key_Equal) << none << 0 << 27 << in << 1e-9;
    QTest::newRow("Ctrl+=") << int(Qt::Key_Equal) << ctrl << 0 << 27 << in << 1e-9;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << 0 << 10 << out << 1e-9;
    QTest::newRow("Ctrl+-") << int(Qt::Key_Minus) << ctrl << 0 << 10 << out << 1e-9;
    QTest::newRow("wheel towards the screen") << 0 << none << 120 << 14 << 44.80 << 0.005;
    QTest::newRow("wheel towards the user") << 0 << none << -120 << 5 << 0.0619 << 0.005;
}

void tst_Diagram::zoomLimits()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, delta);
    QFETCH(int, accepted);
    QFETCH(double, limitZoom);
    QFETCH(double, within);
    Study study;
    DiagramScene scene(&study);
    DiagramView view(&scene);
    const auto step = [&] {
        if (key)
            QTest::keyClick(&view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        else
            wheel(&view, delta);
    };
    for (int i = 0; i < accepted; ++i)
        step();
    QVERIFY2(
        qAbs(zoom(view) - limitZoom) < within * limitZoom, qPrintable(QString::number(zoom(view))));
    const QTransform atLimit = view.transform();
    step();
    step();
    QCOMPARE(view.transform(), atLimit);
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
    // Before a load only what to do is painted, in the middle of the viewport.
    Shown shown;
    QCOMPARE(shown.view.accessibleDescription(),
        QStringLiteral("Open an airfoil file (Ctrl+O) or drop one here"));
    const QImage start = shown.view.viewport()->grab().toImage();
    QRect ink;
    for (int y = 0; y < start.height(); ++y)
        for (int x = 0; x < start.width(); ++x)
            if (qGray(start.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    QVERIFY2(!ink.isEmpty(), "nothing painted");
    QVERIFY(qAbs(ink.center().x() - 300) <= 2 && qAbs(ink.center().y() - 200) <= 2);

    // A zoom and a drag with the left button carry the diagram along; the text stays.
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

void tst_Diagram::hintGoesOnceMoved()
{
    // The hint shows over a new contour until the user zooms or pans; a picture of the view
    // without it holds no stray word of it in the corner.
    Shown shown;
    QByteArray text = nacaFile(0.02, 0.4, 0.12, 11, "d");
    QBuffer file(&text);
    QVERIFY(file.open(QBuffer::ReadOnly));
    QVERIFY(!shown.study.load(&file, QStringLiteral("d.dat"), Paneling {5, 3.0, 2.0}));
    QVERIFY(shown.view.isHintShown());
    shown.view.setHintVisible(false);
    QImage picture(shown.view.size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        shown.view.render(&painter);
    }
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x)
            QVERIFY(qGray(picture.pixel(x, y)) > 200);
    shown.view.setHintVisible(true);
    QTest::keyClick(&shown.view, Qt::Key_Plus);
    QVERIFY(!shown.view.isHintShown());
    QVERIFY(file.reset());
    QVERIFY(!shown.study.load(&file, QStringLiteral("d.dat"), Paneling {5, 3.0, 2.0}));
    QVERIFY(shown.view.isHintShown());
}

void tst_Diagram::drawsTheStudy()
{
    // Each line one path: the contour's points joined in blue with a black marker at each, the
    // smooth contour in black, the reference line in red, the paneled line in a colour of its
    // own with markers at its interior stations; the axes in green, with a scale of tenths.
    const int stations = 11;
    const int n = 5;
    const int points = 2 * stations - 1;
    QByteArray text = nacaFile(0.02, 0.4, 0.12, stations, "d");
    QBuffer file(&text);
    QVERIFY(file.open(QBuffer::ReadOnly));
    Shown shown;
    QVERIFY(!shown.study.load(&file, QStringLiteral("d.dat"), Paneling {n, 3.0, 2.0}));
    QVERIFY(DiagramColour::Paneling != DiagramColour::Reference);

    struct Drawn
    {
        QHash<QRgb, QList<QPainterPath>> paths;
        QHash<QRgb, int> markers;
        QStringList labels;
        QList<QGraphicsItem *> fixedSize;
    };
    const auto drawn = [&] {
        Drawn d;
        for (QGraphicsItem *item : shown.scene.items(Qt::AscendingOrder)) {
            if (!item->isVisible())
                continue;
            if (auto *path = qgraphicsitem_cast<QGraphicsPathItem *>(item))
                d.paths[path->pen().color().rgb()] << path->path();
            else if (auto *marker = qgraphicsitem_cast<QGraphicsEllipseItem *>(item))
                ++d.markers[marker->pen().color().rgb()];
            else if (auto *label = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(item))
                d.labels << label->text();
            if (item->flags() & QGraphicsItem::ItemIgnoresTransformations)
                d.fixedSize << item;
        }
        return d;
    };
    const Drawn first = drawn();
    const QList<QPainterPath> blue = first.paths.value(DiagramColour::Polygon.rgb());
    const QList<QPainterPath> black = first.paths.value(QColor(Qt::black).rgb());
    const QList<QPainterPath> paneled = first.paths.value(DiagramColour::Paneling.rgb());
    QCOMPARE(blue.size(), 1);
    QCOMPARE(black.size(), 1);
    QCOMPARE(paneled.size(), 1);
    QCOMPARE(blue.first().elementCount(), points);
    QCOMPARE(black.first().elementCount(), 20 * (points - 1) + 1);
    QCOMPARE(first.paths.value(DiagramColour::Reference.rgb()).first().elementCount(), 201);
    QCOMPARE(paneled.first().elementCount(), n + 1);
    QCOMPARE(first.markers.value(QColor(Qt::black).rgb()), points);
    QCOMPARE(first.markers.value(DiagramColour::Paneling.rgb()), n - 1);
    // The chord's scale and the y scale beside it.
    QCOMPARE(first.labels, (QStringList {"-0.2", "-0.1", "0.1", "0.2", "0", "0.5", "1"}));
    // The smooth contour runs from the first contour point exactly to the last; normalised,
    // the trailing edge lies at 1000.
    QCOMPARE(QPointF(black.first().elementAt(0)), QPointF(blue.first().elementAt(0)));
    QCOMPARE(black.first().currentPosition(), blue.first().currentPosition());
    QCOMPARE(blue.first().elementAt(0).x, 1000.0);

    // Markers, ticks and labels are the same size on the screen at every zoom.
    QCOMPARE(first.fixedSize.size(), points + n - 1 + 11 + 3 + 2 * DiagramDrawing::YTicks + 4);

    // A new paneling replaces the paneling alone.
    const QList<QGraphicsItem *> contour = shown.scene.items(Qt::AscendingOrder).mid(0, 20);
    shown.study.setPaneling(Paneling {2 * n, 3.0, 2.0});
    QCOMPARE(shown.scene.items(Qt::AscendingOrder).mid(0, 20), contour);
    const Drawn second = drawn();
    QCOMPARE(second.paths.value(DiagramColour::Paneling.rgb()).first().elementCount(), 2 * n + 1);
    QCOMPARE(second.markers.value(DiagramColour::Paneling.rgb()), 2 * n - 1);

    // A press draws the contour as a save writes it, over the section as loaded in grey.
    const auto legendTexts = [&] {
        QStringList texts;
        for (const DiagramLegendEntry &entry : shown.scene.legend())
            texts << entry.text;
        return texts;
    };
    QVERIFY(!legendTexts().contains("as loaded"));
    shown.study.modify(Targets {-0.06, -0.08});
    const Drawn pressed = drawn();
    const QList<QByteArray> saved = shown.study.airfoilText().trimmed().split('\n').mid(1);
    const QPainterPath polygon = pressed.paths.value(DiagramColour::Polygon.rgb()).first();
    QCOMPARE(polygon.elementCount(), saved.size());
    for (int i = 0; i < saved.size(); ++i) {
        const QList<QByteArray> xy = saved[i].simplified().split(' ');
        QVERIFY(qAbs(polygon.elementAt(i).x / 1000 - xy[0].toDouble()) < 1e-6);
        QVERIFY(qAbs(-polygon.elementAt(i).y / 1000 - xy[1].toDouble()) < 1e-6);
    }
    QVERIFY(pressed.paths.value(QColor(Qt::black).rgb()).first() != black.first());
    QCOMPARE(pressed.paths.value(DiagramColour::Original.rgb()),
        (QList<QPainterPath> {
            black.first(), first.paths.value(DiagramColour::Reference.rgb()).first()}));
    QVERIFY(legendTexts().contains("as loaded"));

    // The difference enlarged to a tenth of the chord, by the factor the legend names.
    QVERIFY(pressed.paths.value(DiagramColour::Difference.rgb()).isEmpty());
    shown.scene.setDifferenceVisible(true);
    const QPainterPath change = drawn().paths.value(DiagramColour::Difference.rgb()).first();
    double largest = 0;
    for (int i = 0; i < change.elementCount(); ++i)
        largest = qMax(largest, qAbs(change.elementAt(i).y));
    QVERIFY2(largest > 95 && largest < 105, qPrintable(QString::number(largest)));
    QCOMPARE(
        legendTexts().last(), QStringLiteral("difference ×%1").arg(shown.scene.differenceFactor()));

    // A fresh load shows the section as loaded alone.
    QVERIFY(file.open(QBuffer::ReadOnly));
    QVERIFY(!shown.study.load(&file, QStringLiteral("d.dat"), Paneling {n, 3.0, 2.0}));
    const Drawn reloaded = drawn();
    QVERIFY(reloaded.paths.value(DiagramColour::Original.rgb()).isEmpty());
    QVERIFY(reloaded.paths.value(DiagramColour::Difference.rgb()).isEmpty());
    QCOMPARE(reloaded.paths.value(QColor(Qt::black).rgb()), black);
    // Every kind of line drawn: the contour, its points joined, both camber lines, the axes.
    QCOMPARE(legendTexts().size(), 5);
}

QTEST_MAIN(tst_Diagram)
#include "tst_diagram.moc"
