#pragma once

#include <QByteArray>
#include <QList>
#include <atomic>
#include <functional>
#include <thread>

// Builds the bytes of one stream message the way a sender frames it.
QByteArray FrameStream(const QByteArray& senderText, const QByteArray& data);

// A test peer on its own thread with a blocking socket, so the main thread stays free to run
// the server's event loop. Each step is one thing the peer does, in order.
class StreamSender {
public:
    struct Step {
        enum Kind { Send, Pause, ReadReply, AwaitClose, Close } kind;
        QByteArray bytes;  // Send
        int pieceSize = 0; // Send: 0 sends everything at once
        int ms = 0;        // Pause, AwaitClose (the longest wait)
    };

    struct Result {
        bool connected = false;
        QList<QByteArray> replies; // one per ReadReply step that got 16 bytes
        bool closedByPeer = false; // the receiver closed the connection at some point
        QByteArray extra;          // anything received beyond the replies
    };

    StreamSender(quint16 port, QList<Step> steps);
    ~StreamSender();
    StreamSender(const StreamSender&) = delete;
    StreamSender& operator=(const StreamSender&) = delete;

    bool done() const { return Done.load(); }
    // Runs the caller's event loop until the sender is done; false on timeout.
    bool wait(int ms = 10000) const;
    const Result& result() const { return Outcome; } // valid once done()

    // Convenience: send one whole message, read the reply, close.
    static QList<Step> OneMessage(const QByteArray& text, const QByteArray& data,
                                  int pieceSize = 0);

private:
    void run(quint16 port, const QList<Step>& steps);

    Result Outcome;
    std::atomic<bool> Done{false};
    std::thread Thread;
};
