#pragma once
// File > Report PDF of the main window and the data-logger window, called on
// the UI thread: asks for the PDF file (IDialogs' save dialog, "PDF files
// (*.pdf)", the time-named file offered), collects the figures and the chart
// envelope of the records as they are at that moment on a worker thread
// (RunJob: the event loop keeps turning, a progress dialog with Cancel comes
// up for a long collection, the run may append meanwhile), then paints the
// pages on this thread (bounded: a few thousand chart buckets at most) and
// writes the file. Nothing happens for no records (as Print and Export), on
// Cancel in the file dialog or in the progress dialog: an existing file is
// then left as it was and no temporary file remains. A file that cannot be
// written is reported in a message box (caption "ERROR") naming it, and an
// existing file is then left as it was.
#include <string>

#include "records/RecordList.h"

class QWidget;

namespace sonivel {

// name: how the report calls the records ("Real-time monitoring run").
void ReportPdfCommand(QWidget* parent, const CRecordList& records, const std::string& name);

} // namespace sonivel
