#ifndef LIFTWISE_NUMBERFIELD_H
#define LIFTWISE_NUMBERFIELD_H

#include <QDoubleSpinBox>
#include <QSpinBox>

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

#endif // LIFTWISE_NUMBERFIELD_H
