#include "nacafamily.h"
#include "named.h"
#include "newsectiondialog.h"
#include "study.h"

#include <QtTest>
#include <QtWidgets>

class tst_NewSection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusedInput_data();
    void refusedInput();
    void digitsSection();
    void aSeriesSection();

private:
    QPushButton *okButton() const
    {
        return dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    }
    QString problem() const { return named<QLabel>(dialog, "why no section")->text(); }
    // Replaces a field's text as the user types it.
    void type(QWidget *field, const QString &text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }

    NewSectionDialog *dialog = nullptr;
};

void tst_NewSection::init()
{
    dialog = new NewSectionDialog;
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("New Section"));
}

void tst_NewSection::cleanup()
{
    delete dialog;
    dialog = nullptr;
}

void tst_NewSection::refusedInput_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("said");
    QTest::newRow("not digits") << "Digits"
                                << "2512x"
                                << "four digits, such as 2412";
    QTest::newRow("six digits") << "Digits"
                                << "230123"
                                << "four digits, such as 2412";
    QTest::newRow("no such 5-digit line") << "Digits"
                                          << "26012"
                                          << "name a 5-digit mean line";
    QTest::newRow("no reflexed 211") << "Digits"
                                     << "21112"
                                     << "name a 5-digit mean line";
    QTest::newRow("thickness 50") << "Digits"
                                  << "2450"
                                  << "must be below 40";
    QTest::newRow("camber without position") << "Digits"
                                             << "2012"
                                             << "both camber and its";
    QTest::newRow("even points") << "Number of points"
                                 << "120"
                                 << "an odd number from 5 to 999";
}

void tst_NewSection::refusedInput()
{
    // While the input names no section, OK is disabled and the dialog says why, in the words
    // liftwise-cli uses; once it names one again, OK is back and the reason gone.
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, said);
    QVERIFY(okButton()->isEnabled());
    QVERIFY(problem().isEmpty());
    QWidget *edited = named<QWidget>(dialog, field);
    type(edited, typed);
    QVERIFY(!okButton()->isEnabled());
    QVERIFY2(problem().contains(said), qPrintable(problem()));
    QVERIFY(dialog->text().isEmpty());
    if (field == "Digits") {
        QCOMPARE(problem(), NacaFamily::fromDigits(typed).problem);
        QVERIFY(dialog->title().isEmpty());
    }
    type(edited, field == "Digits" ? "0012" : "41");
    QVERIFY(okButton()->isEnabled());
    QVERIFY(problem().isEmpty());
}

void tst_NewSection::digitsSection()
{
    // The file liftwise-cli naca 23012 writes, which an open takes under its title; the point
    // count and a closed trailing edge as asked.
    type(named<QLineEdit>(dialog, "Digits"), "23012");
    QCOMPARE(dialog->title(), QStringLiteral("NACA 23012"));
    const NacaFamily::NamedSection named23012 = NacaFamily::fromDigits("23012");
    QCOMPARE(dialog->text(), NacaFamily::fileText(named23012, 121, false));
    QByteArray text = dialog->text();
    QBuffer file(&text);
    QVERIFY(file.open(QIODevice::ReadOnly));
    Study study;
    const Study::Refusal refusal = study.load(&file, QString(), Paneling());
    QVERIFY2(!refusal, qPrintable(refusal.reason));
    QCOMPARE(study.data().title, QStringLiteral("NACA 23012"));
    QCOMPARE(study.data().x.size(), 121);

    type(named<QSpinBox>(dialog, "Number of points"), "21");
    named<QCheckBox>(dialog, "Closed trailing edge")->setChecked(true);
    QCOMPARE(dialog->text(), NacaFamily::fileText(named23012, 21, true));
    const QList<QByteArray> lines = dialog->text().trimmed().split('\n');
    QCOMPARE(lines.size(), 1 + 21);
    QCOMPARE(lines.at(1), lines.last());
}

void tst_NewSection::aSeriesSection()
{
    // The a-series fields show only with their family, and name the section by its values.
    QLineEdit *digits = named<QLineEdit>(dialog, "Digits");
    QDoubleSpinBox *loadEnd = named<QDoubleSpinBox>(dialog, "a");
    QVERIFY(digits->isVisible() && !loadEnd->isVisible());
    named<QComboBox>(dialog, "Family")->setCurrentIndex(1);
    QVERIFY(!digits->isVisible() && loadEnd->isVisible());
    // A value out of range, finished with Enter, is refused with the range, and the dialog stays.
    type(loadEnd, "1.5");
    QTest::keyClick(loadEnd, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(problem(), QStringLiteral("a: 0 to 1"));
    QCOMPARE(loadEnd->value(), NacaFamily::DefaultLoadEnd);
    type(loadEnd, "0.8");
    type(named<QDoubleSpinBox>(dialog, "Design cl"), "0.55");
    type(named<QDoubleSpinBox>(dialog, "Thickness (%)"), "12");
    QCOMPARE(
        dialog->title(), QStringLiteral("NACA a=0.800 mean line, cl 0.550, thickness 12.00 %"));
    QVERIFY(okButton()->isEnabled());
    QCOMPARE(
        dialog->text(), NacaFamily::fileText(NacaFamily::aSeries(0.8, 0.55, 12.0), 121, false));
    QVERIFY(dialog->text().startsWith(dialog->title().toUtf8() + '\n'));
}

QTEST_MAIN(tst_NewSection)
#include "tst_newsection.moc"
