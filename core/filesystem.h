#ifndef LIFTWISE_FILESYSTEM_H
#define LIFTWISE_FILESYSTEM_H

#include <QByteArray>
#include <QString>

QT_BEGIN_NAMESPACE
class QFile;
QT_END_NAMESPACE

// Files as the system holds them: names are bytes, writes may stop short, and not every name
// is a regular file. Reasons are the system's own words ("No space left on device").
namespace FileSystem {

// A name as the file system gives it. UTF-8 names read as usual; in any other, each byte that
// is not part of a UTF-8 character becomes U+DC80 + its value less 0x80, a lone surrogate that
// no UTF-8 name decodes to, so that encodeName gives the very bytes back.
QString decodeName(const QByteArray &name);
QByteArray encodeName(const QString &path);

enum class Kind { Missing, Regular, Directory, Special };
// What the path names, through any symbolic links: a pipe, a device or a socket is Special.
Kind kind(const QString &path);
// Why a pipe, a device or a folder is neither read as an airfoil nor replaced by a write.
QString notRegular();

// Opens the file for reading by its name's bytes; why it cannot be opened, or an empty string.
QString openToRead(QFile *file, const QString &path);

// Writes all size bytes to the descriptor; why they could not all be written, or an empty
// string.
QString writeAll(int fd, const char *data, qint64 size);

// Writes the bytes to path, replacing the file there only once they are written whole. A
// symbolic link has the file it names replaced; a path that exists and is not a regular file
// is refused ("it is not a regular file"). Why it could not be written, or an empty string.
QString saveFile(const QString &path, const QByteArray &bytes);

// The reason Qt gives for a failed call, or the system's own where Qt gives none; call it right
// after the call, before errno changes.
QString reason(const QString &qtReason);

} // namespace FileSystem

#endif // LIFTWISE_FILESYSTEM_H
