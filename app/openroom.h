#ifndef LIFTWISE_OPENROOM_H
#define LIFTWISE_OPENROOM_H

#include <QList>
#include <QObject>

QT_BEGIN_NAMESPACE
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMainWindow;
QT_END_NAMESPACE

class DesignRoom;
class RecentFilesMenu;
class SaveRoom;
class Study;

// Opening: File > Open, Open Recent and Reload, files dropped on the window, the window's title
// naming the file, and the question before a reshaping no save has written would be lost.
class OpenRoom : public QObject
{
    Q_OBJECT

public:
    OpenRoom(Study *study, DesignRoom *design, SaveRoom *saving, QMainWindow *window);

    // Opens into another study from now on, and names it in the window's title.
    void setStudy(Study *study);
    // Open, Open Recent and Reload, as the File menu lists them.
    QList<QAction *> actions() const;

    // Opens the file at path as File > Open does, without the dialog, at the fields' paneling.
    void loadFile(const QString &path);
    // Takes the text as a section from no file, as New Section makes it, after maybeSave: unsaved
    // until saved, named by its title in the window's title. False when the user cancelled or an
    // open refuses the text (said in a message box).
    bool openSection(const QByteArray &text, const QString &title);
    // Asks whether to save a reshaping no save has written, before it would be lost: true to go
    // on (saved or discarded), false when the user cancels.
    bool maybeSave();
    // A drag that carries files is let in; a drop of one airfoil file opens it, anything else
    // is passed over with a word in the status bar.
    void dragEnter(QDragEnterEvent *event);
    void drop(QDropEvent *event);

signals:
    // Several files were dropped on the window.
    void filesDropped(const QStringList &paths);

private:
    void open();
    void reload();
    // Files the user opens from the menus or a drop, after maybeSave.
    void openAsked(const QString &path);
    // A save over the loaded file itself, or of a section from no file: the file now holds the
    // airfoil, shown as loaded.
    void showSaved(const QString &path);
    // The window's title names the file, or shownName for a section from no file.
    void setCurrentFile(const QString &path, const QString &shownName = QString());

    Study *study = nullptr;
    DesignRoom *design;
    SaveRoom *saving;
    QMainWindow *window;
    QAction *openAct;
    RecentFilesMenu *recentMenu;
    QAction *reloadAct;
};

#endif // LIFTWISE_OPENROOM_H
