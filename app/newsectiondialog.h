#ifndef LIFTWISE_NEWSECTIONDIALOG_H
#define LIFTWISE_NEWSECTIONDIALOG_H

#include "nacafamily.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
QT_END_NAMESPACE
class DecimalField;
class WholeNumberField;

// Asks for a NACA section, 4- or 5-digit or on an a-series mean line, and its number of points,
// and makes its airfoil file as liftwise-cli naca and meanline write it. OK stays disabled, with
// the reason shown, while the input names no section.
class NewSectionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewSectionDialog(QWidget *parent = nullptr);

    // The airfoil file text of the section asked for; empty while the input names none.
    QByteArray text() const;
    // Its title line.
    QString title() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum Family { Digits, ASeries };

    void createFields();
    void showFamily(int family);
    void updateSection();

    QFormLayout *formLayout;
    QComboBox *familyBox;
    QLineEdit *digitsEdit;
    DecimalField *loadEndSpinBox;
    DecimalField *designLiftSpinBox;
    DecimalField *thicknessSpinBox;
    WholeNumberField *pointsSpinBox;
    QCheckBox *closedTrailingEdgeBox;
    QLabel *problemLabel;
    QDialogButtonBox *buttonBox;

    NacaFamily::NamedSection section;
    // A field has just refused what was typed in it.
    bool refusing = false;
};

#endif // LIFTWISE_NEWSECTIONDIALOG_H
