#include "filesystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {

QString decodeName(const QByteArray &name)
{
    if (QByteArrayView(name).isValidUtf8())
        return QFile::decodeName(name);
    QString path;
    qsizetype i = 0;
    while (i < name.size()) {
        const uchar lead = uchar(name.at(i));
        const int length = lead < 0x80 ? 1
            : lead >= 0xF0             ? 4
            : lead >= 0xE0             ? 3
            : lead >= 0xC0             ? 2
                                       : 0;
        const QByteArrayView character
            = QByteArrayView(name).sliced(i, qMin(qsizetype(length), name.size() - i));
        if (length > 0 && character.size() == length && character.isValidUtf8()) {
            path += QString::fromUtf8(character);
            i += length;
        } else {
            path += QChar(char16_t(0xDC00 + lead));
            ++i;
        }
    }
    return path;
}

QByteArray encodeName(const QString &path)
{
    QByteArray name;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path.at(i).unicode();
        // The low half of a character beyond U+FFFF is no escaped byte.
        if (c < 0xDC80 || c > 0xDCFF || (i > 0 && path.at(i - 1).isHighSurrogate()))
            continue;
        name += QFile::encodeName(path.mid(start, i - start)) + char(c - 0xDC00);
        start = i + 1;
    }
    return name + QFile::encodeName(path.mid(start));
}

Kind kind(const QString &path)
{
    struct stat status;
    if (::stat(encodeName(path).constData(), &status) != 0)
        return Kind::Missing;
    if (S_ISREG(status.st_mode))
        return Kind::Regular;
    return S_ISDIR(status.st_mode) ? Kind::Directory : Kind::Special;
}

QString openToRead(QFile *file, const QString &path)
{
    const QByteArray name = encodeName(path);
    if (QFile::decodeName(name) == path) {
        file->setFileName(path);
        return file->open(QFile::ReadOnly) ? QString() : file->errorString();
    }
    // A name Qt cannot spell is opened by its bytes.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return reason(QString());
    struct stat status;
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(fd);
        return QStringLiteral("file to open is a directory");
    }
    if (!file->open(fd, QFile::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return file->errorString();
    }
    return QString();
}

QString writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return reason(QString());
        data += written;
        size -= written;
    }
    return QString();
}

QString notRegular() { return QStringLiteral("it is not a regular file"); }

QString saveFile(const QString &path, const QByteArray &bytes)
{
    // 1. A link stands for the file it names: that file is replaced, and the link stays. A
    //    pipe, a device or a folder is never replaced by a file.
    QString target = path;
    const QByteArray name = encodeName(path);
    struct stat status;
    if (::lstat(name.constData(), &status) == 0 && S_ISLNK(status.st_mode)) {
        if (char *resolved = ::realpath(name.constData(), nullptr)) {
            target = decodeName(resolved);
            std::free(resolved);
        } else {
            target = QFileInfo(path).symLinkTarget();
        }
    }
    if (kind(target) == Kind::Directory || kind(target) == Kind::Special)
        return notRegular();

    // 2. Written aside, every byte of it, then put in place of the old file.
    QSaveFile saved(target);
    if (!saved.open(QIODevice::WriteOnly))
        return reason(saved.errorString());
    const QString problem = writeAll(saved.handle(), bytes.constData(), bytes.size());
    if (!problem.isEmpty()) {
        saved.cancelWriting();
        return problem;
    }
    // QSaveFile syncs before it renames but ignores a failure: a disk that lost the bytes
    // must not have the old file replaced. A file system that cannot sync says EINVAL.
    if (::fdatasync(saved.handle()) != 0 && errno != EINVAL && errno != ENOTSUP) {
        const QString failed = reason(QString());
        saved.cancelWriting();
        return failed;
    }
    if (!saved.commit())
        return reason(saved.errorString());
    return QString();
}

QString reason(const QString &qtReason)
{
    const int error = errno;
    if ((!qtReason.isEmpty() && qtReason != QLatin1String("Unknown error")) || error == 0)
        return qtReason.isEmpty() ? QStringLiteral("Unknown error") : qtReason;
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace FileSystem
