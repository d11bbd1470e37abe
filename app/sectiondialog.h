#ifndef LIFTWISE_SECTIONDIALOG_H
#define LIFTWISE_SECTIONDIALOG_H

#include "sectionoperation.h"

#include <QDialog>
#include <QList>

#include <memory>

QT_BEGIN_NAMESPACE
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
QT_END_NAMESPACE

class DiagramScene;
class Study;

// The dialog of one operation of the Design menu on the section a save writes: its values in
// fields, the section they make drawn dashed in the diagram as they change, and its alpha0 and
// cm0 at the reference paneling beside the section's now (for a flap, the change in the
// unflapped chord's frame beside Glauert's, and the flapped section's own). OK is disabled
// while the result would be refused, and says why. The preview goes with the dialog.
class SectionDialog : public QDialog
{
    Q_OBJECT

public:
    SectionDialog(SectionOperation::Kind kind, const Study *study, DiagramScene *scene,
        QWidget *parent = nullptr);
    ~SectionDialog() override;

    // The operation the fields give.
    SectionOperation operation() const;
    // The fields, in the order shown; each one's accessible name is its label.
    QList<QDoubleSpinBox *> fields() const { return numbers; }
    // The result's values, or why there is none.
    QString resultText() const;
    // For a blend: takes the section in the file at path as the other one; false, after telling
    // the user why, when an open refuses it.
    bool chooseOther(const QString &path);

private:
    QDoubleSpinBox *addNumber(const QString &label, SectionOperation::Range range, double value,
        int decimals, double step);
    // The preview and the result's values, for the fields as they stand.
    void showResult();
    void askForOther();

    const SectionOperation::Kind kind;
    const Study *study;
    DiagramScene *scene;
    QList<QDoubleSpinBox *> numbers;
    QLabel *result;
    QLabel *otherName = nullptr;
    QDialogButtonBox *buttons;
    // The section a blend goes towards, as an open reads it.
    std::shared_ptr<Study> other;
};

#endif // LIFTWISE_SECTIONDIALOG_H
