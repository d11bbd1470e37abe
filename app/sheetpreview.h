#ifndef LIFTWISE_SHEETPREVIEW_H
#define LIFTWISE_SHEETPREVIEW_H

#include <QWidget>

class RibSet;

// The sheets of a rib set drawn as they will be written, side by side, scaled to fit.
class SheetPreview : public QWidget
{
    Q_OBJECT

public:
    explicit SheetPreview(QWidget *parent = nullptr);
    void setRibSet(const RibSet *set);
    QSize sizeHint() const override { return QSize(640, 320); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const RibSet *set = nullptr;
};

#endif // LIFTWISE_SHEETPREVIEW_H
