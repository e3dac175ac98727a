#include "compare/CommandOutput.h"

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
