#include "numberfield.h"

#include "format.h"

#include <QKeyEvent>
#include <QMainWindow>
#include <QRegularExpression>
#include <QStatusBar>

namespace {

// Whether the text could be a number, or the start of one, as the locale writes numbers.
bool numberLike(const QString &text, const QLocale &locale)
{
    const QString pattern = QStringLiteral("^[+-]?\\d*(%1\\d*)?$")
                                .arg(QRegularExpression::escape(locale.decimalPoint()));
    return QRegularExpression(pattern).match(text.trimmed()).hasMatch();
}

// Whether the field holds a text it cannot take, even fixed up.
bool holdsRefusal(const QAbstractSpinBox *field)
{
    QString text = field->text();
    field->fixup(text);
    int pos = 0;
    return field->validate(text, pos) != QValidator::Acceptable;
}

// Whether the key finishes the edit, as the spin box takes it.
bool finishes(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

QValidator::State WholeNumberField::validate(QString &text, int &pos) const
{
    const QValidator::State state = QSpinBox::validate(text, pos);
    return state == QValidator::Invalid && numberLike(text, locale()) ? QValidator::Intermediate
                                                                      : state;
}

void WholeNumberField::keyPressEvent(QKeyEvent *event)
{
    if (!finishes(event) || !holdsRefusal(this)) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    emit refused(Format::range(minimum(), maximum()));
    // The field goes back to its value; the edit it refused is finished by nobody.
    const QSignalBlocker quiet(this);
    QSpinBox::keyPressEvent(event);
}

void WholeNumberField::focusOutEvent(QFocusEvent *event)
{
    if (!holdsRefusal(this)) {
        QSpinBox::focusOutEvent(event);
        return;
    }
    emit refused(Format::range(minimum(), maximum()));
    const QSignalBlocker quiet(this);
    QSpinBox::focusOutEvent(event);
}

QValidator::State DecimalField::validate(QString &text, int &pos) const
{
    const QValidator::State state = QDoubleSpinBox::validate(text, pos);
    return state == QValidator::Invalid && numberLike(text, locale()) ? QValidator::Intermediate
                                                                      : state;
}

void DecimalField::fixup(QString &text) const
{
    bool ok = false;
    const double value = locale().toDouble(text.trimmed(), &ok);
    if (ok && value >= minimum() && value <= maximum())
        text = textFromValue(Format::fieldValue(value, minimum(), maximum(), decimals()));
    else
        QDoubleSpinBox::fixup(text);
}

void DecimalField::keyPressEvent(QKeyEvent *event)
{
    if (!finishes(event) || !holdsRefusal(this)) {
        QDoubleSpinBox::keyPressEvent(event);
        return;
    }
    emit refused(Format::range(minimum(), maximum()));
    const QSignalBlocker quiet(this);
    QDoubleSpinBox::keyPressEvent(event);
}

void DecimalField::focusOutEvent(QFocusEvent *event)
{
    if (!holdsRefusal(this)) {
        QDoubleSpinBox::focusOutEvent(event);
        return;
    }
    emit refused(Format::range(minimum(), maximum()));
    const QSignalBlocker quiet(this);
    QDoubleSpinBox::focusOutEvent(event);
}

void describe(QWidget *widget, const QString &text)
{
    widget->setToolTip(text);
    widget->setAccessibleDescription(text);
}

namespace {

template <typename Field>
void tellRefusalsOf(Field *field, const QString &label, QMainWindow *window)
{
    QObject::connect(field, &Field::refused, window, [window, label](const QString &range) {
        window->statusBar()->showMessage(QStringLiteral("%1: %2").arg(label, range), 5000);
    });
}

} // namespace

void tellRefusals(WholeNumberField *field, const QString &label, QMainWindow *window)
{
    tellRefusalsOf(field, label, window);
}

void tellRefusals(DecimalField *field, const QString &label, QMainWindow *window)
{
    tellRefusalsOf(field, label, window);
}
