#pragma once
// The noise report as a PDF file: the pages of LayoutReport painted with
// QPainter on a QPdfWriter (A4 portrait) in memory, then written to the file
// through WriteWholeFile (a temporary file renamed over the target), so a
// failure leaves no part of a file and an existing file as it was. Needs a
// QGuiApplication (fonts); the calling thread is the GUI thread.
#include <string>
#include <vector>

#include "files/FileResult.h"
#include "files/SafeWrite.h"
#include "report/ReportSource.h"

namespace sonivel {

// The PDF file's bytes, empty when the document could not be made.
std::string ReportPdfBytes(const std::vector<SReportSource>& sources, const std::string& issued);

// Writes the report to path; a failure names the file and the reason.
SFileResult WriteReportPdf(const std::string& path, const std::vector<SReportSource>& sources,
                           const std::string& issued, EPathSource source = EPathSource::Program);

} // namespace sonivel
