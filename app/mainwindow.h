#ifndef LIFTWISE_MAINWINDOW_H
#define LIFTWISE_MAINWINDOW_H

#include <QMainWindow>

QT_BEGIN_NAMESPACE
class QAction;
class QDoubleSpinBox;
class QGridLayout;
class QGroupBox;
class QMenu;
class QPushButton;
class QSpinBox;
class QTextEdit;
QT_END_NAMESPACE

class Airfoil;
class Camberline;
class DiagramScene;
class DiagramView;
struct AnalysedFile;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    // Opens the file at path as File > Open does, without the dialog.
    void loadFile(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void open();
    void about();
    void panelingChanged();
    void doModify();

private:
    void createActions();
    void createMenus();
    void createStatusBar();
    void createGridGroupBox();
    void createPanelingGroup();
    void createModifyGroup();
    void setCurrentFile(const QString &path);
    QString strippedName(const QString &path);
    void showAnalysis(AnalysedFile *analysed);
    void panelingRegenerateDisplay();

    QString curFile;
    QGroupBox *gridGroupBox;
    QTextEdit *fileText;
    QGroupBox *panelingGroupBox;
    QTextEdit *panelingText;
    QGroupBox *modifyGroupBox;
    QTextEdit *resultText;
    QGridLayout *gridLayout;
    DiagramScene *scene;
    DiagramView *view;
    bool dataLoaded;
    Airfoil *airfoil;
    QSpinBox *panelsSpinBox;
    QDoubleSpinBox *leDensitySpinBox;
    QDoubleSpinBox *teDensitySpinBox;
    QDoubleSpinBox *alpha0SpinBox;
    QDoubleSpinBox *cm0SpinBox;
    QPushButton *modifyButton;
    Camberline *camberline;
    Camberline *paneledCamberline;
    double coeff[6];
    QMenu *fileMenu;
    QMenu *helpMenu;
    QAction *openAct;
    QAction *exitAct;
    QAction *aboutAct;
    QAction *aboutQtAct;
};

#endif // LIFTWISE_MAINWINDOW_H
