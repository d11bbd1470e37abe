// The central area of the main window: the diagram and its plots, the panels and the fields.

#include "mainwindow.h"

#include "designroom.h"
#include "modification.h"
#include "report.h"
#include "viewroom.h"

#include <QtWidgets>

namespace {

// A field beside its label in column 1 of row; screen readers read the field by the label's
// text, its accessible name.
void addField(QGridLayout *layout, int row, QWidget *field)
{
    layout->addWidget(new QLabel(field->accessibleName()), row, 1);
    layout->addWidget(field, row, 2);
}

// What each labelled line of the panels means, as the README says it.
QString meaningOf(const QString &text)
{
    static const QHash<QString, const char *> meanings {
        {"cl0", QT_TRANSLATE_NOOP("MainWindow", "lift coefficient at zero incidence")},
        {"alpha0", QT_TRANSLATE_NOOP("MainWindow", "zero-lift angle")},
        {"cm0", QT_TRANSLATE_NOOP("MainWindow", "moment coefficient about the quarter chord")},
        {"d(cl)/da",
            QT_TRANSLATE_NOOP("MainWindow", "lift slope, per radian (2π for this method)")},
        {"alpha(sf)", QT_TRANSLATE_NOOP("MainWindow", "angle of smooth leading-edge entry")},
        {"cl(sf)",
            QT_TRANSLATE_NOOP(
                "MainWindow", "lift coefficient at the angle of smooth leading-edge entry")},
        {"panel", QT_TRANSLATE_NOOP("MainWindow", "each panel's number, from the leading edge")},
        {"x",
            QT_TRANSLATE_NOOP(
                "MainWindow", "each panel's middle, in chords from the leading edge")},
        {"width", QT_TRANSLATE_NOOP("MainWindow", "each panel's width, in chords")},
        {"angle [deg]",
            QT_TRANSLATE_NOOP("MainWindow",
                "each panel's angle, positive where the camber line falls towards the "
                "trailing edge")},
    };
    // A coefficient's label stands before " = "; the results' labels fill their first 11
    // characters. The panels keep a value's spaces unbreakable.
    const QString line = QString(text).replace(QChar::Nbsp, QLatin1Char(' '));
    const QString label = line.contains(QLatin1String(" = "))
        ? line.section(QLatin1String(" = "), 0, 0)
        : line.left(11).trimmed();
    const char *meaning = meanings.value(label);
    return meaning ? MainWindow::tr(meaning) : QString();
}

// The meanings of the lines, one a line, for a screen reader.
QString meaningsOf(const QStringList &lines)
{
    QStringList described;
    for (const QString &line : lines)
        described << line.section(QLatin1String(" = "), 0, 0).trimmed() + QLatin1String(": ")
                + meaningOf(line);
    return described.join(QLatin1Char('\n'));
}

// A read-only text panel that asks for the room its longest text needs, so that the window
// opens with it readable whole, but takes less on a small screen, with scroll bars. Over a
// line of a coefficient, or of the panels' widths or angles, a tool tip says what it means.
class TextPanel : public QTextEdit
{
public:
    QSize sizeHint() const override { return wanted.isValid() ? wanted : QTextEdit::sizeHint(); }
    QSize wanted;

protected:
    bool viewportEvent(QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QTextEdit::viewportEvent(event);
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString meaning = meaningOf(cursorForPosition(help->pos()).block().text());
        if (meaning.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), meaning, viewport());
        return true;
    }
};

TextPanel *createTextPanel(const QString &name)
{
    TextPanel *text = new TextPanel;
    text->setReadOnly(true);
    text->setPlainText(QString());
    text->setAccessibleName(name);
    return text;
}

// The size a text panel needs to show the lines whole, without scrolling: laid out as the panel
// lays them out, since a font's line spacing rounded to pixels is not the height of its lines.
QSize textSize(const QTextEdit *text, const QStringList &lines)
{
    QTextDocument probe;
    probe.setDefaultFont(text->font());
    probe.setDocumentMargin(text->document()->documentMargin());
    probe.setPlainText(lines.join(QLatin1Char('\n')));
    // The frame on either side, and a pixel for rounding.
    const int frame = 2 * text->frameWidth() + 1;
    return QSize(qCeil(probe.idealWidth() + 2 * probe.documentMargin()) + frame,
        qCeil(probe.size().height()) + frame);
}

} // namespace

void MainWindow::createGridGroupBox()
{
    gridGroupBox = new QGroupBox;
    gridGroupBox->setAccessibleName(tr("airfoil study"));

    fileText = createTextPanel(tr("file"));
    fileText->setAccessibleDescription(meaningsOf(Report::coefficientLines(Coefficients())));
    upperSplitter = new QSplitter(Qt::Horizontal);
    upperSplitter->addWidget(viewRoom->tabWidget());
    upperSplitter->addWidget(fileText);

    createPanelingGroup();
    createModifyGroup();
    lowerSplitter = new QSplitter(Qt::Horizontal);
    lowerSplitter->addWidget(panelingGroupBox);
    lowerSplitter->addWidget(modifyGroupBox);
    // The two halves keep their columns in line.
    connect(upperSplitter, &QSplitter::splitterMoved, lowerSplitter,
        [this] { lowerSplitter->setSizes(upperSplitter->sizes()); });
    connect(lowerSplitter, &QSplitter::splitterMoved, upperSplitter,
        [this] { upperSplitter->setSizes(lowerSplitter->sizes()); });

    resultText = createTextPanel(tr("results"));
    resultText->setAccessibleDescription(meaningsOf({QStringLiteral("panel"), QStringLiteral("x"),
        QStringLiteral("width"), QStringLiteral("angle [deg]")}));
    QFont font(QStringLiteral("Courier"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    resultText->setFont(font);
    // Each panel keeps its column: the lines scroll sideways, they never wrap.
    resultText->setLineWrapMode(QTextEdit::NoWrap);
    // Its lines are replaced in place at each press, which would otherwise pile up as undo steps.
    resultText->document()->setUndoRedoEnabled(false);
    // Four rows in the room two had, on a small screen too.
    resultText->document()->setDocumentMargin(1);
    resultText->setFixedHeight(textSize(resultText, QStringList(4, QString())).height()
        + resultText->horizontalScrollBar()->sizeHint().height());
    QWidget *lower = new QWidget;
    QVBoxLayout *lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(lowerSplitter);
    lowerLayout->addWidget(resultText);

    mainSplitter = new QSplitter(Qt::Vertical);
    mainSplitter->addWidget(upperSplitter);
    mainSplitter->addWidget(lower);
    // Room beyond what the panels and fields ask for goes to the diagram; none is hidden whole.
    for (QSplitter *splitter : {mainSplitter, upperSplitter, lowerSplitter}) {
        splitter->setStretchFactor(0, 1);
        splitter->setStretchFactor(1, 0);
        splitter->setChildrenCollapsible(false);
    }
    QVBoxLayout *layout = new QVBoxLayout;
    layout->addWidget(mainSplitter);
    gridGroupBox->setLayout(layout);
}

void MainWindow::createPanelingGroup()
{
    panelingGroupBox = new QGroupBox;
    panelingGroupBox->setAccessibleName(tr("paneling controls"));
    QGridLayout *layout = new QGridLayout;

    const QList<QAbstractSpinBox *> fields = designRoom->panelingFields();
    for (int i = 0; i < fields.size(); ++i)
        addField(layout, i + 1, fields.at(i));

    panelingText = createTextPanel(tr("paneling"));
    panelingText->setAccessibleDescription(meaningsOf(Report::coefficientLines(Coefficients())));
    // The longest report of a Modify press, with the point count and coefficients below it,
    // is read whole; its lines never wrap.
    panelingText->setLineWrapMode(QTextEdit::NoWrap);
    static_cast<TextPanel *>(panelingText)->wanted = textSize(panelingText,
        Report::reshapingLines(CamberReshaping()) + QStringList {QString()}
            + Report::coefficientLines(Coefficients()));
    layout->addWidget(panelingText, 1, 3, 4, 1);

    layout->setColumnMinimumWidth(1, 80);
    layout->setColumnMinimumWidth(2, 80);
    layout->setColumnMinimumWidth(3, 120);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(3, 1);
    layout->setRowStretch(4, 10);
    // The fields keep their width; the panel takes any more.
    layout->setColumnStretch(3, 1);
    panelingGroupBox->setLayout(layout);
}

void MainWindow::createModifyGroup()
{
    modifyGroupBox = new QGroupBox;
    modifyGroupBox->setAccessibleName(tr("modification controls"));
    QGridLayout *layout = new QGridLayout;

    const QList<QAbstractSpinBox *> fields = designRoom->targetFields();
    for (int i = 0; i < fields.size(); ++i)
        addField(layout, i + 1, fields.at(i));
    layout->addWidget(designRoom->modifyButton(), 3, 2);
    layout->addWidget(designRoom->reachButton(), 3, 1);

    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(3, 1);
    layout->setRowStretch(4, 10);
    layout->setColumnStretch(1, 10);
    layout->setColumnStretch(2, 10);
    modifyGroupBox->setLayout(layout);
}
