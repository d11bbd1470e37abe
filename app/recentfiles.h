#ifndef LIFTWISE_RECENTFILES_H
#define LIFTWISE_RECENTFILES_H

#include <QMenu>
#include <QStringList>

// File > Open Recent: the files opened last, most recent first, kept in the settings across
// runs. Files that are gone are dropped each time the menu is shown. Files of one name are told
// apart by their folders; the tool tip gives the whole path.
class RecentFilesMenu : public QMenu
{
    Q_OBJECT

public:
    static constexpr int Most = 8;

    explicit RecentFilesMenu(QWidget *parent = nullptr);

    // Puts the file first, once.
    static void add(const QString &path);
    // The list as the settings hold it, without anything that is not a path.
    static QStringList files();

signals:
    void chosen(const QString &path);

private:
    void refill();
};

#endif // LIFTWISE_RECENTFILES_H
