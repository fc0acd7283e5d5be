// The main view's serial link: opening the meter's port, the automatic and
// manual port choice, device changes and the meter keys.
#include <QByteArray>
#include <QPointer>

#include "dialogs/Dialogs.h"
#include "monitor/MeterPanel.h"
#include "protocol/MeterCommands.h"
#include "serial/ComPort.h"
#include "serial/PortEnum.h"
#include "serial/PortSelect.h"
#include "view/MyKovaView.h"
#include "view/PortDlg.h"

std::string CMyKovaView::SearchMeterPort() const
{
    if (!m_options.portPath.isEmpty())
        return m_options.portPath.toStdString();
    return FindMeterPort(DefaultSysfsRoot());
}

void CMyKovaView::OpenMeterPort()
{
    m_strPortPath = SearchMeterPort();
    if (m_strPortPath.empty())
        return;   // no meter: the view stays without data
    OpenPortPath(m_strPortPath);
    m_watchdogTimer.start(1000, this);
}

void CMyKovaView::OpenPortPath(const std::string& path)
{
    // The reader thread hands each chunk to the user-interface thread, where
    // the receive path and every state it touches live.
    QPointer<CMyKovaView> self(this);
    auto deliver = [self](const std::uint8_t* data, std::size_t count) {
        const QByteArray chunk(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
        QMetaObject::invokeMethod(
            self.data(),
            [self, chunk] {
                if (self)
                    self->OnReceiveData(reinterpret_cast<const std::uint8_t*>(chunk.constData()),
                                        static_cast<std::size_t>(chunk.size()));
            },
            Qt::QueuedConnection);
    };
    std::string message;
    if (!OpenComPort(*m_pComPort, path, deliver, message))
        Dialogs().Message(this, QString::fromLocal8Bit(message.c_str()), QStringLiteral("Kova"),
                          IDialogs::Icon::Information);
}

void CMyKovaView::OnDeviceChange()
{
    if (!m_bAutoPort)
        return;
    m_strPortPath = SearchMeterPort();
    if (m_strPortPath.empty())
        return;
    m_reopenTimer.start(2000, this);
}

void CMyKovaView::OnPortAuto()
{
    m_bAutoPort = true;
    emit PortModeChanged(true);
    OpenMeterPort();
}

void CMyKovaView::OnPortManual()
{
    m_bAutoPort = false;
    emit PortModeChanged(false);
    CPort dlg(this, m_strPortPath.empty() ? QStringLiteral("/dev/ttyUSB0") : QString::fromStdString(m_strPortPath));
    if (Dialogs().Exec(dlg) == QDialog::Accepted)
        OpenPortPath(dlg.DevicePath().toStdString());
}

void CMyKovaView::OnKeyCommand(int key)
{
    if (!m_receiver.m_bLinkAlive || !IsValidKey(key))
        return;
    m_nKeyCode = key;
    // Placeholder until the key repetition of the serial link is bound: the
    // key's byte is written once.
    const std::uint8_t byte = KeyByte(key);
    m_pComPort->Write(&byte, 1);
}
