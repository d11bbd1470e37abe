#include "oddfiles.h"
#include "ribsdialog.h"
#include "sheetpreview.h"
#include "study.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

// File > Export Ribs: the preview shows the sheets that will be written, OK waits for ribs that
// can be, and the values come back the next time.
class tst_RibsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void previewAndSettings();

private:
    QTemporaryDir dir;
};

void tst_RibsDialog::initTestCase()
{
    // The settings go to a folder of the test's own, and start afresh.
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

void tst_RibsDialog::previewAndSettings()
{
    QByteArray text = nacaFile(0.02, 0.4, 0.12, 41, "dialog test section");
    QBuffer file(&text);
    file.open(QIODevice::ReadOnly);
    Study study;
    QVERIFY(!study.load(&file, dir.filePath(QStringLiteral("wing.dat")), Paneling()));

    RibsDialog dialog(&study);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *root = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("root"));
    auto *sheeting = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("sheeting"));
    auto *count = dialog.findChild<QSpinBox *>(QStringLiteral("count"));
    auto *spars = dialog.findChild<QLineEdit *>(QStringLiteral("spars"));
    QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    QVERIFY(ok->isEnabled());

    // The preview paints what the set holds, anew when it changes: the outlines in black.
    SheetPreview *preview = dialog.findChild<SheetPreview *>();
    const auto ink = [preview](QImage *image) {
        *image = preview->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                dark += qGray(image->pixel(x, y)) < 60;
        return dark;
    };
    QImage before;
    QImage after;
    QVERIFY(ink(&before) > 0);
    count->setValue(20);
    QVERIFY(dialog.ribSet().sheetCount() > 1);
    QVERIFY(ink(&after) > 0);
    QVERIFY(after != before);
    QCOMPARE(dialog.ribSet().chords().size(), 20);

    // A spar deeper than the section keeps OK off and says why.
    spars->setText(QStringLiteral("30%,5,40,top"));
    emit spars->editingFinished();
    QVERIFY(!ok->isEnabled());
    QVERIFY2(dialog.problem().contains(QStringLiteral("40 mm deep")), qPrintable(dialog.problem()));
    spars->setText(QStringLiteral("30%,5,4,top"));
    emit spars->editingFinished();
    QVERIFY(ok->isEnabled());

    root->setValue(240.0);
    sheeting->setValue(1.5);
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    RibsDialog again(&study);
    QCOMPARE(again.findChild<QDoubleSpinBox *>(QStringLiteral("root"))->value(), 240.0);
    QCOMPARE(again.findChild<QDoubleSpinBox *>(QStringLiteral("sheeting"))->value(), 1.5);
    QCOMPARE(again.findChild<QSpinBox *>(QStringLiteral("count"))->value(), 20);
    QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("spars"))->text(),
        QStringLiteral("30%,5,4,top"));
    QCOMPARE(again.ribSet().chords().first(), 240.0);
}

QTEST_MAIN(tst_RibsDialog)
#include "tst_ribsdialog.moc"
