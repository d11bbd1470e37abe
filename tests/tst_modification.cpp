#include "airfoil.h"
#include "camberline.h"
#include "modification.h"
#include "vortexmethod.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

class tst_Modification : public QObject
{
    Q_OBJECT

private slots:
    void endsNeverMove_data();
    void endsNeverMove();
    void unsolvableLeavesLineUnchanged();
};

void tst_Modification::endsNeverMove_data()
{
    QTest::addColumn<int>("panels");
    QTest::newRow("3 panels") << 3;
    QTest::newRow("8 panels") << 8;
    QTest::newRow("200 panels") << 200;
}

void tst_Modification::endsNeverMove()
{
    QFETCH(int, panels);
    Camberline line(panels, 3.0, 2.0);
    line.sety(0, 0.001);
    line.sety(panels, -0.002);
    const std::vector<double> before = line.ordinates();
    QVERIFY(reshapeCamberline(line, Targets {-0.05, -0.1}).applied);
    const std::vector<double> after = line.ordinates();
    QCOMPARE(after.front(), before.front());
    QCOMPARE(after.back(), before.back());
    int changed = 0;
    for (int i = 1; i < panels; ++i)
        changed += after[size_t(i)] != before[size_t(i)];
    QCOMPARE(changed, panels - 1);
}

void tst_Modification::unsolvableLeavesLineUnchanged()
{
    // A non-finite start makes the factors non-finite: they must not reach the line.
    Camberline line(6, 3.0, 2.0);
    line.sety(2, std::numeric_limits<double>::quiet_NaN());
    line.sety(3, 0.01);
    const CamberReshaping r = reshapeCamberline(line, Targets {-0.03, -0.05});
    QVERIFY(!r.applied);
    QCOMPARE(line.ypoint(3), 0.01);
    QCOMPARE(line.ypoint(1), 0.0);
    QVERIFY(std::isnan(line.ypoint(2)));

    // One panel has no interior ordinate: both shapes are zero and the system is singular.
    Camberline single(1, 3.0, 2.0);
    const CamberReshaping none = reshapeCamberline(single, Targets {-0.03, -0.05});
    QVERIFY(!none.applied);
    QCOMPARE(single.ypoint(0), 0.0);
    QCOMPARE(single.ypoint(1), 0.0);
}

QTEST_APPLESS_MAIN(tst_Modification)
#include "tst_modification.moc"
