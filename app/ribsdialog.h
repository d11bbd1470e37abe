#ifndef LIFTWISE_RIBSDIALOG_H
#define LIFTWISE_RIBSDIALOG_H

#include "ribset.h"

#include <QDialog>

#include <memory>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
QT_END_NAMESPACE

class SheetPreview;
class Study;

// File > Export Ribs: asks for a tapered wing's plan, the rib features and the sheet, and shows
// the ribs laid out as they will be written; OK stays disabled, the reason shown, while they
// cannot be. The values are remembered for the next time.
class RibsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RibsDialog(const Study *study, QWidget *parent = nullptr);

    // The ribs as the preview shows them; no sheets while problem() says why.
    const RibSet &ribSet() const { return set; }
    QString problem() const { return why; }

    void accept() override;

private:
    void createFields();
    void readSettings();
    void writeSettings() const;
    void chooseTipFile();
    void loadTipFile();
    // Makes the ribs again from the fields, for the preview and OK.
    void updateRibs();

    const Study *study;
    std::unique_ptr<Study> tip;
    QString tipProblem;
    QDoubleSpinBox *rootField;
    QDoubleSpinBox *tipField;
    QDoubleSpinBox *spanField;
    QSpinBox *countField;
    QDoubleSpinBox *sweepField;
    QDoubleSpinBox *washoutField;
    QLineEdit *tipFileEdit;
    QLineEdit *sparsEdit;
    QDoubleSpinBox *sheetingField;
    QDoubleSpinBox *holeField;
    QDoubleSpinBox *holeAtField;
    QDoubleSpinBox *holeLengthField;
    QDoubleSpinBox *webField;
    QDoubleSpinBox *registrationField;
    QCheckBox *mirrorBox;
    QComboBox *sheetBox;
    QDoubleSpinBox *sheetWidthField;
    QDoubleSpinBox *sheetHeightField;
    SheetPreview *preview;
    QLabel *statusLabel;
    QDialogButtonBox *buttons;
    RibSet set;
    QString why;
};

#endif // LIFTWISE_RIBSDIALOG_H
