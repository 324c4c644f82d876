#pragma once

#include "core/TimeSource.h"
#include "server/records/MsgBase.h"

#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>

// The failure kinds a send records in ErrorEvent.
enum ErrorEventKind : quint8 {
    eeGeneral = 0,
    eeSend = 1,
    eeReceive = 2,
    eeConnect = 3,
    eeDisconnect = 4,
    eeAccept = 5,
};

// Sends `bytes` (a whole encoded record) on an open connection. `head` receives the outcome:
// Failed cleared first, set with its ErrorEvent on any failure. True when nothing failed.
bool SendRecord(Msg_Base_Type& head, const QByteArray& bytes, QTcpSocket& connection);

// Connects `socket` to address:port unless it is connected already (a socket still connecting
// from an outer call is waited for), waiting in steps of PumpWait(100) until it is connected,
// a failure is reported or the step count reaches `timeoutMs`; then sends. A time-out or a
// refused connection gives false with ErrorEvent eeConnect; the refusal ends the wait as soon as
// the socket reports it. After a time-out the half-open attempt is aborted, so it cannot connect
// later with nothing sent on it. Socket errors never show a box; they only fail the send.
bool ConnectAndSend(Msg_Base_Type& head, const QByteArray& bytes, QTcpSocket& socket,
                    const QHostAddress& address, quint16 port, qint64 timeoutMs,
                    const TimeSource& time);

// Record-typed forms: the record is encoded with its status cleared.
template <class R> bool SendRecord(R& record, QTcpSocket& connection) {
    record.Head.Failed = 0;
    return SendRecord(record.Head, record.encode(), connection);
}

template <class R>
bool ConnectAndSend(R& record, QTcpSocket& socket, const QHostAddress& address, quint16 port,
                    qint64 timeoutMs, const TimeSource& time) {
    record.Head.Failed = 0;
    return ConnectAndSend(record.Head, record.encode(), socket, address, port, timeoutMs, time);
}
