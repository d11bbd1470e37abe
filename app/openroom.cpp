#include "openroom.h"

#include "designroom.h"
#include "filesystem.h"
#include "format.h"
#include "recentfiles.h"
#include "saveroom.h"
#include "study.h"

#include <QtWidgets>

namespace {

// The local files dropped, or none where anything else is among them. The names are taken by
// their bytes, which need not be UTF-8.
QStringList droppedFiles(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << FileSystem::decodeName(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    }
    return paths;
}

} // namespace

OpenRoom::OpenRoom(Study *study, DesignRoom *design, SaveRoom *saving, QMainWindow *window)
    : QObject(window)
    , design(design)
    , saving(saving)
    , window(window)
{
    openAct = new QAction(tr("&Open..."), this);
    openAct->setShortcut(QKeySequence(tr("Ctrl+O")));
    openAct->setStatusTip(tr("Open an airfoil *.dat file"));
    connect(openAct, &QAction::triggered, this, &OpenRoom::open);

    recentMenu = new RecentFilesMenu(window);
    connect(recentMenu, &RecentFilesMenu::chosen, this, &OpenRoom::openAsked);

    reloadAct = new QAction(tr("Reload"), this);
    reloadAct->setShortcut(QKeySequence(tr("F5")));
    reloadAct->setStatusTip(tr("Open the current file again, at the same paneling"));
    connect(reloadAct, &QAction::triggered, this, &OpenRoom::reload);

    connect(saving, &SaveRoom::saved, this, &OpenRoom::showSaved);
    setStudy(study);
}

void OpenRoom::setStudy(Study *next)
{
    if (study)
        disconnect(study, nullptr, reloadAct, nullptr);
    study = next;
    // Nothing to open again before a file is loaded, nor for a section from no file.
    const auto enableReload = [this] { reloadAct->setEnabled(!study->path().isEmpty()); };
    enableReload();
    connect(study, &Study::fileChanged, reloadAct, enableReload);
    setCurrentFile(study->path(), Format::printable(study->data().title));
}

QList<QAction *> OpenRoom::actions() const
{
    return {openAct, recentMenu->menuAction(), reloadAct};
}

bool OpenRoom::maybeSave()
{
    design->finishPanelingStep();
    if (!window->isWindowModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(window, tr("Liftwise"),
        tr("The reshaped airfoil has not been saved."),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) {
        saving->saveAs();
        return !window->isWindowModified();
    }
    return answer == QMessageBox::Discard;
}

void OpenRoom::openAsked(const QString &path)
{
    if (maybeSave())
        loadFile(path);
}

void OpenRoom::dragEnter(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void OpenRoom::drop(QDropEvent *event)
{
    const QStringList paths = droppedFiles(event->mimeData());
    // Several files are added for comparison, each as a section of its own.
    if (paths.size() > 1) {
        event->acceptProposedAction();
        emit filesDropped(paths);
        return;
    }
    const QString path = paths.value(0);
    if (path.isEmpty() || FileSystem::kind(path) == FileSystem::Kind::Directory) {
        window->statusBar()->showMessage(tr("Drop one airfoil file to open it"), 3000);
        return;
    }
    event->acceptProposedAction();
    openAsked(path);
}

void OpenRoom::open()
{
    if (!maybeSave())
        return;
    // The first run starts in the current folder, where make run keeps the samples.
    QSettings settings;
    const QString path = QFileDialog::getOpenFileName(window, tr("Open airfoil datafile"),
        settings.value("openFolder", QStringLiteral(".")).toString(),
        tr("airfoil datafiles (*.dat)\nall files (*)"));
    if (path.isEmpty())
        return;
    settings.setValue("openFolder", QFileInfo(path).absolutePath());
    // The dialog is gone: show what lay under it before the file is computed.
    window->repaint();
    loadFile(path);
}

void OpenRoom::reload() { openAsked(study->path()); }

void OpenRoom::showSaved(const QString &path)
{
    // A section from no file is the saved file's from now on.
    if (study->path().isEmpty() || QFileInfo(path) == QFileInfo(study->path()))
        loadFile(path);
}

void OpenRoom::loadFile(const QString &path)
{
    // A pipe or a device would block the window until somebody writes to it.
    if (FileSystem::kind(path) == FileSystem::Kind::Special) {
        QMessageBox::warning(window, tr("Liftwise"),
            Study::Refusal {Study::Refusal::Unreadable, FileSystem::notRegular()}.message(path));
        return;
    }
    // The load builds the line at the fields' paneling: a step still waiting is part of it.
    design->dropPanelingStep();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The study takes the file only if it can be analysed, so a refused file leaves the
    // earlier one loaded and shown.
    const Study::Refusal refusal = study->loadFile(path, design->fieldsPaneling());
    QApplication::restoreOverrideCursor();
    if (refusal) {
        QMessageBox::warning(window, tr("Liftwise"), refusal.message(path));
        return;
    }
    setCurrentFile(path);
    RecentFilesMenu::add(path);
    window->statusBar()->showMessage(tr("File loaded"), 2000);
}

bool OpenRoom::openSection(const QByteArray &text, const QString &title)
{
    if (!maybeSave())
        return false;
    design->dropPanelingStep();
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Study::Refusal refusal = study->load(&buffer, QString(), design->fieldsPaneling());
    QApplication::restoreOverrideCursor();
    if (refusal) {
        QMessageBox::warning(window, tr("Liftwise"), refusal.message(title));
        return false;
    }
    setCurrentFile(QString(), title);
    window->statusBar()->showMessage(tr("New section: %1").arg(title), 2000);
    return true;
}

void OpenRoom::setCurrentFile(const QString &path, const QString &shownName)
{
    const QString name = !path.isEmpty() ? QFileInfo(path).fileName()
        : shownName.isEmpty()            ? QStringLiteral("none")
                                         : shownName;
    window->setWindowTitle(tr("%1 - %2[*]").arg(tr("Liftwise"), name));
}
