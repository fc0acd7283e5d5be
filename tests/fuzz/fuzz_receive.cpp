// Feeds arbitrary bytes to the receive path in chunks of fuzzer-chosen sizes,
// in live and download mode. The first byte picks the starting mode; later
// control bytes give the size of the next chunk or switch the mode.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "protocol/Receiver.h"

namespace {

class CHost : public IReceiverHost {
public:
    explicit CHost(CReceiver*& rx) : m_rx(rx) {}
    void OnHoldStop() override { m_rx->m_bRunActive = false; }
    void OnDownloadEnded() override
    {
        if (m_rx->m_bLogDownload)
            __builtin_trap();   // the flag is cleared before the end is reported
    }
    void OnProgress(int range, int step, int) override
    {
        if (range < 0 || range > 0xFFFF || step != 10)
            __builtin_trap();
    }
    void OnPanelRepaint() override {}

private:
    CReceiver*& m_rx;
};

bool IsHexText(const std::string& s)
{
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

} // namespace

// A zone with daylight saving time, so that group times also cross its
// changes; naming it also spares mktime a look at the zone file per call.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    CReceiver* rxPtr = nullptr;
    CHost host(rxPtr);
    CRecordStore store;
    CReceiver rx(host, store);
    rxPtr = &rx;
    rx.m_bRunActive = (data[0] & 2) != 0;
    if (data[0] & 1)
        rx.BeginDownload();
    std::size_t at = 1;
    while (at < size) {
        const std::uint8_t control = data[at++];
        if (control == 0xFE) {
            rx.BeginDownload();
            continue;
        }
        if (control == 0xFD) {
            rx.m_bLogDownload = false;   // time-out or Cancel
            continue;
        }
        const std::size_t n = std::min<std::size_t>(1 + control % 40, size - at);
        if (n == 0)
            break;
        rx.OnReceiveData(data + at, n);
        at += n;
        if (store.GetSize() > 100000)
            store.RemoveAll();
        if (rx.m_strReceive.size() > (std::size_t{1} << 20) + 64 || !IsHexText(rx.m_strReceive))
            __builtin_trap();
    }
    return 0;
}
