#include "protocol/LoggerRequest.h"

#include "protocol/MeterCommands.h"

void CLoggerRequest::Start()
{
    m_bActive = true;
    m_nRequests = 0;
    Send();
}

bool CLoggerRequest::Tick(bool logDownload, bool logAck)
{
    if (m_bActive && (!logDownload || logAck))
        m_bActive = false;
    if (m_bActive)
        Send();
    return m_bActive;
}

void CLoggerRequest::Send()
{
    ++m_nRequests;
    if (m_write)
        m_write(kLoggerRequest, sizeof kLoggerRequest);
}
