#pragma once

#include <QObject>
#include <QString>

// The message player: one wave file open at a time, played asynchronously. notify() is raised
// once playing has ended or was stopped. A file that is closed, or replaced by opening another,
// raises nothing more, so a late notification can never end the playing of the next message.
class Media : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Media() override;

    void setFileName(const QString& path) { FileName = path; }
    QString fileName() const { return FileName; }

    // Opens fileName(), closing any file still open. False, with the device's text, when the
    // file does not exist or cannot be played.
    virtual bool open(QString* errorText) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

Q_SIGNALS:
    void notify();

private:
    QString FileName;
};
