#include <QPainter>

#include "common/Clock.h"
#include "files/PrintPlacement.h"
#include "files/PrintText.h"
#include "files/Printing.h"

namespace sonivel {

void PrintData(CPrintRX& job, QWidget* parent, const CRecordList& records, const SStatBlock& stats)
{
    const std::size_t n = records.GetSize();
    if (n == 0 || job.BeginJob(parent) == -1)
        return;
    CPrintWaitCursor wait;
    if (!job.StartJobDoc())
        return;
    QPainter& p = job.Painter();
    const SPageUnits u = PageUnits(job.HorzRes(), job.VertRes());
    p.setFont(PrintFont(p.device(), u.J));
    const STextMeasure f = PrintMeasure(p.font(), p.device());
    const int N = f.lineSpacing;
    const SDataColumns cols = DataColumns(u, records, f);
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
