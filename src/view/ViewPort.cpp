// The main view's serial link: opening the meter's port, the automatic and
// manual port choice, device changes and the meter keys.
#include <algorithm>

#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>

#include "dialogs/Dialogs.h"
#include "monitor/MeterPanel.h"
#include "serial/PortEnum.h"
#include "serial/PortSelect.h"
#include "serial/QtComLink.h"
#include "view/MyKovaView.h"
#include "view/PortDlg.h"

std::int64_t CMyKovaView::KeyClockMs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return clock.elapsed();
}

std::string CMyKovaView::SearchMeterPort() const
{
    if (!m_options.portPath.isEmpty())
        return m_options.portPath.toStdString();
    return FindMeterPort(DefaultSysfsRoot());
}

void CMyKovaView::OpenMeterPort()
{
    // A manual port chosen before is opened again (a device named on the
    // command line or in SONIVEL_PORT comes first).
    if (!m_bAutoPort && !m_strManualPort.empty() && m_options.portPath.isEmpty()) {
        OpenPortPath(m_strManualPort);
        return;
    }
    m_strPortPath = SearchMeterPort();
    if (m_strPortPath.empty())
        return;   // no meter: the view stays without data
    OpenPortPath(m_strPortPath);
}

// Every port the view opens is watched, whichever way it was chosen and
// whether or not it opened: silence ends a run and shows the no-link picture.
void CMyKovaView::OpenPortPath(const std::string& path)
{
    std::string message;
    const bool opened = m_pLink->Open(path, message);
    m_run.WatchOpenedPort();
    if (!opened)
        Dialogs().Message(this, QString::fromLocal8Bit(message.c_str()), QStringLiteral("Kova"),
                          IDialogs::Icon::Information);
}

void CMyKovaView::ReopenPort()
{
    if (!m_strPortPath.empty())
        OpenPortPath(m_strPortPath);
}

void CMyKovaView::OnDeviceChange()
{
    if (!m_bAutoPort)
        return;
    const std::string path = SearchMeterPort();
    if (path.empty())
        return;
    m_strPortPath = path;
    m_run.ScheduleReopen();
}

void CMyKovaView::OnPortAuto()
{
    m_bAutoPort = true;
    emit PortModeChanged(true);
    emit SettingsChanged();
    OpenMeterPort();
}

void CMyKovaView::OnPortManual()
{
    m_bAutoPort = false;
    emit PortModeChanged(false);
    CPort dlg(this, m_strPortPath.empty() ? QStringLiteral("/dev/ttyUSB0") : QString::fromStdString(m_strPortPath));
    if (Dialogs().Exec(dlg) == QDialog::Accepted) {
        m_strManualPort = dlg.DevicePath().toStdString();
        OpenPortPath(m_strManualPort);
    }
    emit SettingsChanged();
}

void CMyKovaView::RestoreSettings(const sonivel::SAppSettings& settings)
{
    m_restored = settings;
    m_bAutoPort = settings.autoPort;
    m_strManualPort = settings.manualPort;
    emit PortModeChanged(m_bAutoPort);
}

sonivel::SAppSettings CMyKovaView::Settings() const
{
    sonivel::SAppSettings s = m_restored;   // until the first showing has applied them
    if (m_bSettingsApplied) {
        s.rateIndex = std::max(0, m_form.rate->currentIndex());
        s.recordLimit = m_run.m_nRecordLimit;
        s.listShown = m_bListShown;
    }
    s.autoPort = m_bAutoPort;
    s.manualPort = m_strManualPort;
    return s;
}

void CMyKovaView::OnKeyCommand(int key)
{
    if (!m_keys.Press(key, m_receiver.m_live, m_receiver.m_bLinkAlive, KeyClockMs()))
        return;
    m_nKeyCode = key;
    if (!m_pKeyTimer->isActive())
        m_pKeyTimer->start();
}
