#pragma once
// File > Report PDF of the main window and the data-logger window, on the UI
// thread: asks for the PDF file (IDialogs' save dialog, "PDF files (*.pdf)",
// the time-named file offered) and writes the report of the records there.
// Nothing happens for no records (as Print and Export) or on Cancel; a file
// that cannot be written is reported in a message box (caption "ERROR")
// naming it, and an existing file is then left as it was.
#include <string>

#include "monitor/RecordList.h"

class QWidget;

namespace sonivel {

// name: how the report calls the records ("Real-time monitoring run").
void ReportPdfCommand(QWidget* parent, const CRecordList& records, const std::string& name);

} // namespace sonivel
