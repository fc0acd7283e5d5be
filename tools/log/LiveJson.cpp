#include "LiveJson.h"

#include "common/Text.h"
#include "protocol/MeterText.h"

namespace {

const char* Bool(bool b)
{
    return b ? "true" : "false";
}

} // namespace

ELiveEvent PredictLiveEvent(const CReceiver& receiver, const std::uint8_t* data, std::size_t count)
{
    if (receiver.m_bLogDownload || count == 0)
        return ELiveEvent::None;
    std::string text;
    AppendHexText(data, count, text);
    if (text.find("ff") != std::string::npos)
        return ELiveEvent::Hold;
    const std::string& buffer = receiver.m_strReceive;
    if (buffer.size() + text.size() <= 40)
        return ELiveEvent::None;
    const std::string head = (buffer + text.substr(0, 4)).substr(0, 4);
    return head == "a50d" ? ELiveEvent::Frame : ELiveEvent::None;
}

std::string LiveReadingJson(const SLiveReading& r, const std::string& pcTime)
{
    const std::string meterTime = r.m_strMeterTime.empty() ? "null" : JsonString(r.m_strMeterTime);
    return sonivel::Format("{\"level\":%.1f,\"unit\":\"%s\",\"range\":%d,\"fast\":%s,\"max\":%s,\"min\":%s,"
                           "\"hold\":%s,\"over\":%s,\"under\":%s,\"rec\":%s,\"bar_held\":%s,\"digits_held\":%s,"
                           "\"meter_time\":%s,\"pc_time\":%s}",
                           r.m_dLevel, r.m_bWeightA ? "dBA" : "dBC", r.m_nRange, Bool(r.m_bFast), Bool(r.m_bMax),
                           Bool(r.m_bMin), Bool(r.m_bHold), Bool(r.m_bOver), Bool(r.m_bUnder), Bool(r.m_bRec),
                           Bool(r.m_bBarHeld), Bool(r.m_bDigitsHeld), meterTime.c_str(), JsonString(pcTime).c_str());
}
