#include "serial/QtComLink.h"

#include "serial/PortSelect.h"

CQtComLink::CQtComLink(QObject* parent) : QObject(parent)
{
}

CQtComLink::~CQtComLink()
{
    m_port.Close();
}

bool CQtComLink::Open(const std::string& path, std::string& message)
{
    auto deliver = [this](const std::uint8_t* data, std::size_t count) {
        QByteArray chunk(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
        // Runs the emit on this object's (the UI) thread, in posting order.
        QMetaObject::invokeMethod(this, [this, chunk] { emit ChunkReceived(chunk); }, Qt::QueuedConnection);
    };
    return OpenComPort(m_port, path, deliver, message);
}

void CQtComLink::Close()
{
    m_port.Close();
}

CDeviceWatcher::CDeviceWatcher(const QString& dir, int settleMs, QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &CDeviceWatcher::DevicesChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    m_watcher.addPath(dir);
}
