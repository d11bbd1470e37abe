#ifndef LIFTWISE_NUMBERFIELD_H
#define LIFTWISE_NUMBERFIELD_H

#include <QDoubleSpinBox>
#include <QSpinBox>

QT_BEGIN_NAMESPACE
class QMainWindow;
QT_END_NAMESPACE

// The window's number fields. A typed value stands as it is typed, whatever its size or form,
// until the edit is finished (Return, Enter, or the focus leaving); then it is taken, or it is
// refused whole: the field says so by refused() with its range, keeps its last value and
// finishes no edit. A plain spin box would instead drop each key that does not fit as it
// comes, so that 1000 became 100 in a field up to 999, and 12.5 became 125.
class WholeNumberField : public QSpinBox
{
    Q_OBJECT

public:
    using QSpinBox::QSpinBox;

    QValidator::State validate(QString &text, int &pos) const override;

signals:
    // The typed text was refused; range reads "3 to 999".
    void refused(const QString &range);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

// The same for decimal numbers; a value with more decimals than the field shows is rounded to
// them.
class DecimalField : public QDoubleSpinBox
{
    Q_OBJECT

public:
    using QDoubleSpinBox::QDoubleSpinBox;

    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &text) const override;

signals:
    void refused(const QString &range);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

// The text a tool tip shows and a screen reader reads as the widget's description.
void describe(QWidget *widget, const QString &text);
// A value the field refuses is named in the window's status bar with the field's label and
// range.
void tellRefusals(WholeNumberField *field, const QString &label, QMainWindow *window);
void tellRefusals(DecimalField *field, const QString &label, QMainWindow *window);

// A number field that screen readers read by its label, its typed value taken once the edit is
// finished, not key by key: one refused leaves the value from before the edit.
template <typename Field>
Field *createField(const QString &label, const QString &description, double minimum, double maximum,
    double step, QMainWindow *window)
{
    Field *box = new Field;
    box->setRange(minimum, maximum);
    box->setSingleStep(step);
    box->setAccessibleName(label);
    describe(box, description);
    box->setKeyboardTracking(false);
    tellRefusals(box, label, window);
    return box;
}

#endif // LIFTWISE_NUMBERFIELD_H
