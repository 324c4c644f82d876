#include "platform/serial/PosixSerialWriter.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Raw output, modem lines ignored so the open never waits for carrier, DTR raised. On a
// pseudo-terminal the modem-line calls fail (ENOTTY); none of this decides whether the port works.
void prepareTerminal(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    int dtr = TIOCM_DTR;
    ::ioctl(fd, TIOCMBIS, &dtr);
}
} // namespace

PosixSerialWriter::PosixSerialWriter(int fd, int writeTimeoutMs)
    : Fd(fd), TimeoutMs(writeTimeoutMs) {}

PosixSerialWriter::~PosixSerialWriter() {
    if (::isatty(Fd))
        ::ioctl(Fd, TIOCNXCL);
    ::close(Fd); // also drops the flock
}

std::unique_ptr<PosixSerialWriter> PosixSerialWriter::open(const QString& path, int writeTimeoutMs,
                                                           QString* error) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = systemError(errno);
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        if (error)
            *error = code == EWOULDBLOCK ? QStringLiteral("the port is in use") : systemError(code);
        return nullptr;
    }
    if (::isatty(fd)) {
        // Another opener already holding the terminal exclusively makes our open fail (EBUSY)
        // above; this keeps later openers out while we hold it.
        ::ioctl(fd, TIOCEXCL);
        prepareTerminal(fd);
    }
    return std::unique_ptr<PosixSerialWriter>(new PosixSerialWriter(fd, writeTimeoutMs));
}

bool PosixSerialWriter::write(const QByteArray& data) {
    QDeadlineTimer deadline(TimeoutMs);
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(Fd, data.constData() + done, size_t(data.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            Error = systemError(errno);
            return false;
        }
        pollfd p{Fd, POLLOUT, 0};
        const int left = int(qMax<qint64>(0, deadline.remainingTime()));
        const int ready = left > 0 ? ::poll(&p, 1, left) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            Error = ready < 0 ? systemError(errno)
                              : QStringLiteral("the port did not take the data in time");
            return false;
        }
    }
    Error.clear();
    return true;
}
