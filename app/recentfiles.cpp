#include "recentfiles.h"

#include "filesystem.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char Key[] = "recentFiles";

} // namespace

RecentFilesMenu::RecentFilesMenu(QWidget *parent)
    : QMenu(tr("Open &Recent"), parent)
{
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::refill);
}

QStringList RecentFilesMenu::files()
{
    // A settings file edited by hand, or of another version, may hold anything here.
    const QVariant value = QSettings().value(Key);
    QStringList paths;
    if (value.canConvert<QStringList>()) {
        for (const QString &path : value.toStringList()) {
            if (!path.isEmpty() && !paths.contains(path) && paths.size() < Most)
                paths << path;
        }
    }
    return paths;
}

void RecentFilesMenu::add(const QString &path)
{
    QStringList paths = files();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    QSettings().setValue(Key, QStringList(paths.mid(0, Most)));
}

void RecentFilesMenu::refill()
{
    clear();
    QStringList paths = files();
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                    [](const QString &path) {
                        return FileSystem::kind(path) != FileSystem::Kind::Regular;
                    }),
        paths.end());
    QSettings().setValue(Key, paths);
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        QAction *action
            = addAction(tr("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName().replace('&', "&&")));
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    if (paths.isEmpty())
        addAction(tr("No recent files"))->setEnabled(false);
}
