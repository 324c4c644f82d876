#pragma once

#include "platform/serial/SerialPorts.h"

#include <QList>
#include <QMap>
#include <QSet>

// Serial ports for tests: records every open and every write, per port number.
class FakeSerialPorts : public SerialPorts {
public:
    QSet<int> present;             // ports that exist
    QSet<int> failOpen;            // existing ports that cannot be opened
    QSet<int> failWrite;           // ports whose writes fail
    QList<int> opened;             // every successful open, in order
    QMap<int, QByteArray> written; // everything written per port
    int openNow = 0;               // ports currently held open

    bool exists(int n) const override { return present.contains(n); }

    std::unique_ptr<SerialWriter> openForWriting(int n, QString* error = nullptr) override {
        if (!present.contains(n) || failOpen.contains(n)) {
            if (error)
                *error = QStringLiteral("cannot open");
            return nullptr;
        }
        opened.append(n);
        return std::make_unique<Writer>(*this, n);
    }

private:
    class Writer : public SerialWriter {
    public:
        Writer(FakeSerialPorts& ports, int n) : Ports(ports), N(n) { ++Ports.openNow; }
        ~Writer() override { --Ports.openNow; }
        bool write(const QByteArray& data) override {
            if (Ports.failWrite.contains(N))
                return false;
            Ports.written[N] += data;
            return true;
        }

    private:
        FakeSerialPorts& Ports;
        int N;
    };
};
