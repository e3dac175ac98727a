#include "compare/CommandOutput.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

DescriptorOutput::DescriptorOutput(int fd)
    : fd_(fd)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 DescriptorOutput::writeData(const char* data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, static_cast<std::size_t>(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            setErrorString(QString::fromLocal8Bit(std::strerror(n < 0 ? errno : EIO)));
            return -1;
        }
        done += n;
    }
    return done;
}

void HoldClosedStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free number: fd itself, as the lower ones are open.
            const int held = ::open("/dev/null", O_RDONLY);
            if (held != fd && held >= 0)
                ::close(held);
        }
}

QString WriteWhole(QIODevice& file, const char* data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        // A part taken: the next write says why the rest is not.
        const qint64 n = file.write(data + done, size - done);
        if (n <= 0) {
            const QString why = file.errorString();
            return why.isEmpty() ? QStringLiteral("it could not be written whole") : why;
        }
        done += n;
    }
    return {};
}

QString SaveWhole(const QString& path, const QByteArray& bytes)
{
    // A folder is named for what it is: the save file's own words would
    // speak of the file beside it.
    if (QFileInfo(path).isDir())
        return QStringLiteral("it is a folder");
    QSaveFile file(path);
    // Unbuffered, so each write reaches the file at once: a buffered write
    // that the disk takes only in part is reported as done, and the save
    // would then be committed short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (const QString why = WriteWhole(file, bytes.constData(), bytes.size()); !why.isEmpty()) {
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
