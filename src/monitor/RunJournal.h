#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "records/RecordList.h"

// The journal of the window's monitoring run: every record of the run is
// appended to a file as it is taken and handed to the disk at once, so a run
// that ends without the user's decision (a crash, a kill, a signal, a power
// cut, the desktop session ending) can be put back at the next start. The
// file is a data text file (the bytes of the program's Save for the same
// records), one self-contained line per record, only ever appended to.
//
// Used on the window's thread only. The journal is held with an advisory
// lock while this object has it open, so a second window neither offers to
// restore a journal that is being written nor writes into it. An existing
// journal is never emptied or truncated by a new run: only Remove (the user
// decided about the records) takes it away; a journal that cannot be written
// leaves the records before the failure readable.
class CRunJournal {
public:
    // folder: where the journal lives (created when missing); empty: no
    // journal at all (every call does nothing).
    explicit CRunJournal(std::string folder = {});
    ~CRunJournal();   // closes; the file stays
    CRunJournal(const CRunJournal&) = delete;
    CRunJournal& operator=(const CRunJournal&) = delete;

    std::string Path() const;

    // What the last run left behind, taken over at start-up.
    struct SLeftOver {
        // The records, oldest first, with the journal's interval; empty when
        // there is no journal or another window holds it.
        CRecordStore records;
        // A journal that cannot be read: what failed, naming the file.
        std::string message;
    };
    // Opens and holds the journal a run left behind (none while another
    // window holds it). A torn last line (a write cut short) is cut off and
    // the rest kept; a journal without a whole record is removed. A journal
    // that is not a data text file is renamed "<journal>.unreadable" and
    // named in the message, so it neither blocks runs nor gets lost.
    SLeftOver TakeOver();

    // Appends one record, creating the journal with its header line at the
    // first record of a run. False with a message naming the file when it
    // cannot be written: the journal then keeps the whole lines before the
    // failure and takes no more records (Append keeps failing, with the same
    // message) until Remove. A journal that exists and is not this object's
    // (one waiting to be restored, or another window's) is never touched.
    bool Append(const CObjData& record, std::string& message);

    // The user decided about the records: the journal held goes. A journal
    // this object does not hold is left alone.
    void Remove();

    // The program ends without the user's decision: the journal stays for the
    // next start, and every later call does nothing.
    void Keep();

private:
    bool Fail(const std::string& reason, std::string& message);
    void Close();

    std::string m_strFolder;
    int m_fd = -1;                 // the journal held, locked
    long long m_nWholeBytes = 0;   // the bytes of its whole lines
    std::string m_strBroken;       // why the journal takes no more records
    bool m_bKept = false;
};

// The journal's folder: $XDG_STATE_HOME/Sonivel, else
// $HOME/.local/state/Sonivel; empty when neither variable is set.
std::string DefaultJournalFolder();
inline constexpr const char* kJournalFileName = "MonitorRun.journal";
