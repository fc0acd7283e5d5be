#pragma once
#include "monitor/RecordList.h"

class QWidget;

namespace logfile {

// Export CSV of the main view (the monitoring store) and of the data-logger
// window (the selected group), on the user-interface thread: asks for the
// file ("CSV files (*.csv)", suffix csv, the time-named file offered) and
// writes records there as sonivel::WriteCsv does, through a symbolic link the
// user chose. Cancel writes nothing; a failure shows a message naming the file
// (caption "ERROR") and leaves an existing file as it was. The callers skip
// an empty list, as their Export To Excel does.
void ExportCsv(QWidget* parent, const CRecordList& records);

} // namespace logfile
