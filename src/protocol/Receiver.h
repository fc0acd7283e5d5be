#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "common/Clock.h"
#include "records/RecordList.h"
#include "protocol/LiveReading.h"
#include "protocol/LoggerDecoder.h"

// What the receive path asks of its owner (the main view, or the headless
// logger). All calls happen inside CReceiver::OnReceiveData.
class IReceiverHost {
public:
    virtual ~IReceiverHost() = default;
    // HOLD began while a monitoring run is active: run the Stop command now.
    virtual void OnHoldStop() = 0;
    // The data-logger download has ended (successfully or not): close the
    // progress dialog.
    virtual void OnDownloadEnded() = 0;
    // Progress of the download: range 0..range, step, position.
    virtual void OnProgress(int range, int step, int pos) = 0;
    // The live decode found a frame start: repaint the meter panel.
    virtual void OnPanelRepaint() = 0;
};

// Turns the meter's byte stream into live readings, HOLD, and data-logger
// records. Owned by the view; every call is made on one thread.
class CReceiver {
public:
    CReceiver(IReceiverHost& host, CRecordStore& logStore);

    // One chunk of received bytes (1..20 in practice, any length accepted).
    void OnReceiveData(const std::uint8_t* data, std::size_t length);

    // The view's first showing: empty the buffer and clear the live flags
    // (all but the weighting and the update count), level 50.0, no download,
    // no run, link dead.
    void ResetForFirstShowing();

    // Start of a data-logger download: download on, group counter 0, no
    // answer header yet. The caller empties the logger store.
    void BeginDownload();

    SLiveReading m_live;
    // Hexadecimal text not consumed yet. Text that can no longer matter is
    // dropped to keep it bounded: without a frame start (live) or an answer
    // header (download) only its last 40 characters are kept, and an answer
    // that outgrows any the meter can send keeps its newest 512 Ki characters.
    std::string m_strReceive;
    sonivel::SteadyTime m_timeLastRx{};   // monotonic time of the last chunk
    bool m_bLinkAlive = false;
    bool m_bRunActive = false;         // written by the owner
    bool m_bLogDownload = false;
    bool m_bLogAck = false;
    int m_nLogExpected = 0;
    int m_nRxByteCount = 0;            // bytes since the answer header
    CLoggerDecoder m_logDecoder;       // carries the group header and counter

private:
    void LivePath(std::string_view text);
    void LoggerPath(std::string_view text);
    void HandOver();
    void DecodeLiveFrame();
    bool AlignOnFrameStart();

    IReceiverHost& m_host;
    CRecordStore& m_logStore;
};
