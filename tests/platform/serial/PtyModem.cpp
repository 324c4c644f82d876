#include "PtyModem.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
void makeRaw(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
}
} // namespace

PtyModem::PtyModem() {
    char name[128] = {};
    if (::openpty(&Master, &Slave, name, nullptr, nullptr) != 0) {
        Master = Slave = -1;
        return;
    }
    makeRaw(Master);
    makeRaw(Slave);
    SlavePath = QString::fromLocal8Bit(name);
}

PtyModem::~PtyModem() {
    if (Slave >= 0)
        ::close(Slave);
    if (Master >= 0)
        ::close(Master);
}

bool PtyModem::linkAs(const QString& link) const {
    return QFile::link(SlavePath, link);
}

QByteArray PtyModem::readWritten(int waitMs) {
    QByteArray out;
    pollfd p{Master, POLLIN, 0};
    int wait = waitMs;
    while (::poll(&p, 1, wait) > 0 && (p.revents & POLLIN)) {
        char buf[4096];
        const ssize_t n = ::read(Master, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, n);
        wait = 20; // the rest of a write follows at once
    }
    return out;
}

bool PtyModem::fillUp() {
    const int flags = ::fcntl(Slave, F_GETFL);
    ::fcntl(Slave, F_SETFL, flags | O_NONBLOCK);
    // The kernel moves data between its buffers in the background, so room can reappear for a
    // moment after the first refusal: keep writing, down to single bytes, until nothing fits.
    const QByteArray chunk(4096, 'x');
    for (int round = 0; round < 100; ++round) {
        qint64 written = 0;
        for (qsizetype size : {qsizetype(4096), qsizetype(1)}) {
            ssize_t n;
            while ((n = ::write(Slave, chunk.constData(), size_t(size))) > 0)
                written += n;
            if (errno != EAGAIN)
                return false;
        }
        if (written == 0)
            return true;
        ::usleep(20000);
    }
    return false;
}
