#include "protocol/Receiver.h"

#include <climits>
#include <cstdlib>

#include "common/Clock.h"
#include "protocol/MeterText.h"

namespace {

constexpr std::size_t kHeaderChars = 6;   // "bb" and the 16-bit length
constexpr int kLengthOverhead = 98;       // announced length - data bytes
constexpr int kEmptyLogger = 2;           // expected data bytes of an empty logger
constexpr int kProgressStep = 10;

// Text kept while waiting for the answer header when no "bb" has arrived:
// a split marker needs one character, and 40 keep the live path's length
// checks unchanged should the download end before the header.
constexpr std::size_t kNoHeaderTail = 40;
constexpr std::size_t kNoHeaderLimit = 2 * kNoHeaderTail;

// The longest answer the meter can announce is 65535 bytes (131070
// characters); the download's time-out ends a longer stream long before
// this limit. Beyond it the oldest text is dropped so that memory stays
// bounded whatever arrives.
constexpr std::size_t kLoggerTextLimit = std::size_t{1} << 20;

bool Has(std::string_view text, std::string_view marker)
{
    return text.find(marker) != std::string_view::npos;
}

int SaturatingAdd(int count, std::size_t n)
{
    const long long sum = static_cast<long long>(count) + static_cast<long long>(n > INT_MAX ? INT_MAX : n);
    return sum > INT_MAX ? INT_MAX : static_cast<int>(sum);
}

} // namespace

CReceiver::CReceiver(IReceiverHost& host, CRecordStore& logStore)
    : m_host(host), m_logStore(logStore)
{
}

void CReceiver::OnReceiveData(const std::uint8_t* data, std::size_t length)
{
    if (data == nullptr || length == 0)
        return;
    m_nRxByteCount = SaturatingAdd(m_nRxByteCount, length);
    std::string text;
    AppendHexText(data, length, text);
    m_timeLastRx = sonivel::SteadyNow();
    m_bLinkAlive = true;
    if (m_bLogDownload)
        LoggerPath(text);
    else
        LivePath(text);
    m_live.m_bStopKeyFlag = false;
}

void CReceiver::ResetForFirstShowing()
{
    const bool weightA = m_live.m_bWeightA;
    const unsigned updates = m_live.m_nUpdates;
    m_live = SLiveReading{};
    m_live.m_bWeightA = weightA;
    m_live.m_nUpdates = updates;
    m_strReceive.clear();
    m_bLinkAlive = false;
    m_bRunActive = false;
    m_bLogDownload = false;
    m_bLogAck = false;
}

void CReceiver::BeginDownload()
{
    m_bLogDownload = true;
    m_logDecoder.m_nLogGroup = 0;
    m_bLogAck = false;
}

// Live mode: any "ff" in the chunk's text is the HOLD marker (also one
// formed across two bytes); other text is collected until a frame can be
// decoded.
void CReceiver::LivePath(std::string_view text)
{
    if (Has(text, "ff")) {
        m_live.m_bHold = true;
        ++m_live.m_nUpdates;
        if (m_bRunActive)
            m_host.OnHoldStop();
        return;
    }
    m_strReceive += text;
    if (m_strReceive.size() < 40)
        return;
    m_live.m_bHold = false;
    DecodeLiveFrame();
    m_nRxByteCount = 0;
}

// Download mode: find the answer header "bb" and its length, report the
// progress, and hand the logger text over once the end marker "dd" arrives.
void CReceiver::LoggerPath(std::string_view text)
{
    m_strReceive += text;
    if (!m_bLogAck) {
        const std::size_t p = m_strReceive.find("bb");
        if (p == std::string::npos) {
            if (m_strReceive.size() > kNoHeaderLimit)
                m_strReceive.erase(0, m_strReceive.size() - kNoHeaderTail);
            return;
        }
        m_strReceive.erase(0, p);
        if (m_strReceive.size() < kHeaderChars)
            return;   // the length has not fully arrived
        const int announced =
            static_cast<int>(std::strtol(m_strReceive.substr(2, 4).c_str(), nullptr, 16));
        m_strReceive.erase(0, kHeaderChars);
        m_nLogExpected = announced - kLengthOverhead;
        m_nRxByteCount = static_cast<int>(m_strReceive.size() / 2);
        m_bLogAck = true;
        if (m_nLogExpected == kEmptyLogger) {
            m_bLogDownload = false;
            m_host.OnDownloadEnded();
            return;
        }
        if (Has(m_strReceive, "dd"))
            HandOver();
        return;
    }
    m_host.OnProgress(m_nLogExpected & 0xFFFF, kProgressStep, m_nRxByteCount);
    // The trigger is an end marker in this chunk's own text; the cut is made
    // at the first one in the buffer.
    if (Has(text, "dd")) {
        HandOver();
        return;
    }
    if (m_strReceive.size() > kLoggerTextLimit)
        m_strReceive.erase(0, m_strReceive.size() - kLoggerTextLimit / 2);
}

// Decodes the logger text (after the answer header, up to and including the
// first "dd") and ends the download. The buffer keeps its text; the live path
// re-aligns it on the next frame start.
void CReceiver::HandOver()
{
    const std::size_t d = m_strReceive.find("dd");
    if (d == std::string::npos)
        return;
    m_nRxByteCount = 0;
    m_logDecoder.DecodeLoggerText(std::string_view(m_strReceive).substr(0, d + 2), m_logStore);
    m_bLogDownload = false;
    m_host.OnDownloadEnded();
}
