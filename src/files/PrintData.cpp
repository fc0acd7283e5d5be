#include <algorithm>

#include <QPainter>
#include <QPrinter>

#include "common/Clock.h"
#include "dialogs/Dialogs.h"
#include "files/JobDialog.h"
#include "files/PrintPlacement.h"
#include "files/PrintText.h"
#include "files/Printing.h"

namespace sonivel {
namespace {

// A longer printout is printed only when the user confirms its page count.
constexpr int kAskAbovePages = 100;
// Records whose texts are measured between two turns of the event loop.
constexpr std::size_t kMeasureSlice = 2048;

// The pages Print Data makes of n records on the chosen printer, before any
// document is started (so a No writes nothing).
int DataPages(CPrintRX& job, std::size_t n)
{
    QPrinter* printer = job.Printer();
    const SPageUnits u = PageUnits(printer->width(), printer->height());
    const QFont font = PrintFont(printer, u.J);
    return PageCount(n, RowsPerPage(u, PrintMeasure(font, printer).lineSpacing));
}

} // namespace

void PrintData(CPrintRX& job, QWidget* parent, const CRecordList& records, const SStatBlock& stats)
{
    const std::size_t n = records.GetSize();
    if (n == 0 || job.BeginJob(parent) == -1)
        return;
    const int pages = DataPages(job, n);
    if (pages > kAskAbovePages &&
        !Dialogs().AskYesNo(parent, QStringLiteral("Print Data will print %1 pages. Continue?").arg(pages),
                            QString::fromLatin1(kPrintDocName))) {
        job.EndJob();   // releases the printer; nothing was started
        return;
    }
    if (!job.StartJobDoc())
        return;
    // The pages are made here, on the UI thread (the printer is no thread's
    // but this one's). The columns' widths are measured a slice of records
    // at a time, then the pages made one at a time; between slices and pages
    // the event loop turns and Cancel is heard. The bar counts each record
    // twice: once measured, once printed.
    CJobDialog progress(parent, QStringLiteral("Printing"), {});
    const auto turn = [&progress, &job, n](std::size_t done) {
        progress.Update(done, 2 * n);
        progress.ProcessEvents(false);
        if (progress.Cancelled())
            job.AbortJob();
        return !progress.Cancelled();
    };
    QPainter& p = job.Painter();
    const SPageUnits u = PageUnits(job.HorzRes(), job.VertRes());
    p.setFont(PrintFont(p.device(), u.J));
    const STextMeasure f = PrintMeasure(p.font(), p.device());
    const int N = f.lineSpacing;
    SDataWidths widths = DataWidths(f);
    for (std::size_t first = 0; first < n; first += kMeasureSlice) {
        WidenDataWidths(widths, records, first, std::min(n, first + kMeasureSlice), f);
        if (!turn(first))
            return;
    }
    const SDataColumns cols = PlaceDataColumns(u, widths, f);
    const std::string printTime = PrintTimeText(Now());
    if (job.StartJobPage() == -1)
        return;
    DrawTexts(p, DataFirstPageHeader(u, cols, stats, f));

    const int R = RowsPerPage(u, N);
    for (std::size_t i = 0; i < n; ++i) {
        const SRowPlace place = PlaceRecord(i, n, R, u, N);
        DrawTexts(p, DataRowTexts(cols, place.y, i, records.GetAt(i)));
        p.drawLine(cols.id, place.y, cols.ruleEnd, place.y);
        if (place.closesPage) {
            DrawTexts(p, DataFooterTexts(u, place.page + 1, printTime, f));
            job.EndJobPage();
            if (!turn(n + i + 1))
                return;
            if (job.StartJobPage() == -1)
                return;
            DrawTexts(p, DataNextPageHeader(u, cols, f));
        }
    }
    DrawTexts(p, DataFooterTexts(u, PageCount(n, R), printTime, f));
    job.EndJobPage();
    job.EndJob();
}

} // namespace sonivel
