#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// A serial port opened for writing only, held exclusively until it is destroyed.
class SerialWriter {
public:
    virtual ~SerialWriter();
    // True when every byte was handed to the port.
    virtual bool write(const QByteArray& data) = 0;
};

// The serial ports by number: n names the port "COM" + n.
class SerialPorts {
public:
    virtual ~SerialPorts();
    virtual bool exists(int n) const = 0;
    // Opens an existing port for writing, exclusively; nullptr (and the reason) when the port
    // does not exist, is in use or cannot be opened.
    virtual std::unique_ptr<SerialWriter> openForWriting(int n, QString* error = nullptr) = 0;
};
