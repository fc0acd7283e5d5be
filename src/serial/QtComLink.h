#pragma once
#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <string>

#include "serial/ComPort.h"

// The window's port: a CComPort whose chunks reach the UI thread, in order,
// as ChunkReceived signals (queued from the reader thread). The receive path
// and everything it touches then live on the UI thread alone. Destroying the
// link closes the port first, so no chunk is queued to a dead object.
class CQtComLink : public QObject {
    Q_OBJECT
public:
    explicit CQtComLink(QObject* parent = nullptr);
    ~CQtComLink() override;

    // Closes and reopens on path (see OpenComPort); false with the message
    // to show ("Warning:Can't open <path>! <reason>").
    bool Open(const std::string& path, std::string& message);
    void Close();
    std::size_t Write(const std::uint8_t* data, std::size_t count) { return m_port.Write(data, count); }
    CComPort& Port() { return m_port; }

signals:
    void ChunkReceived(const QByteArray& chunk);

private:
    CComPort m_port;
};

// Plays the system's device-change notification: watches /dev and reports a
// change once things have settled (debounced), so the owner can re-scan.
class CDeviceWatcher : public QObject {
    Q_OBJECT
public:
    explicit CDeviceWatcher(const QString& dir = QStringLiteral("/dev"), int settleMs = 300,
                            QObject* parent = nullptr);

signals:
    void DevicesChanged();

private:
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
