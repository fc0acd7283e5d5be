#pragma once
#include "records/RecordList.h"

class QWidget;

namespace logfile {

// Export CSV of the main view (the monitoring store) and of the data-logger
// window (the selected group), called on the user-interface thread: asks for
// the file ("CSV files (*.csv)", suffix csv, the time-named file offered) and
// writes the records as they are at that moment there as sonivel::WriteCsv
// does, through a symbolic link the user chose, on a worker thread as Save
// does (WriteRecords: a progress dialog with Cancel for a long export; the
// run may append meanwhile). Cancel in either dialog writes nothing and
// leaves no temporary file; a failure shows a message naming the file
// (caption "ERROR"). Either way an existing file is left as it was. The
// callers skip an empty list, as their Export To Excel does.
void ExportCsv(QWidget* parent, const CRecordList& records);

} // namespace logfile
