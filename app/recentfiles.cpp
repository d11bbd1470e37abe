#include "recentfiles.h"

#include "filesystem.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

const char Key[] = "recentFiles";

// The folders of the path from its own upwards, as many as count, as "examples/" or
// "a/examples/".
QString lastFolders(const QString &path, int count)
{
    const QStringList parts = QDir::fromNativeSeparators(QFileInfo(path).path())
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return QStringList(parts.mid(std::max<qsizetype>(0, parts.size() - count))).join('/')
        + QLatin1Char('/');
}

// The name each path is listed by: its file name, and where another path has the same, as
// many of its folders as tell the two apart ("naca2412.dat — examples/").
QStringList listedNames(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).fileName();
        QStringList namesakes;
        for (const QString &other : paths)
            if (other != path && QFileInfo(other).fileName() == name)
                namesakes << other;
        if (namesakes.isEmpty()) {
            names << name;
            continue;
        }
        int count = 1;
        const auto told = [&] {
            for (const QString &other : namesakes)
                if (lastFolders(other, count) == lastFolders(path, count))
                    return false;
            return true;
        };
        while (!told() && count < path.count(QLatin1Char('/')))
            ++count;
        names << QStringLiteral("%1 — %2").arg(name, lastFolders(path, count));
    }
    return names;
}

} // namespace

RecentFilesMenu::RecentFilesMenu(QWidget *parent)
    : QMenu(tr("Open &Recent"), parent)
{
    setToolTipsVisible(true);
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
    const QStringList names = listedNames(paths);
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        QAction *action = addAction(
            tr("&%1 %2").arg(i + 1).arg(QString(names.at(i)).replace('&', QLatin1String("&&"))));
        action->setStatusTip(path);
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    if (paths.isEmpty())
        addAction(tr("No recent files"))->setEnabled(false);
}
