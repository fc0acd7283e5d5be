#include <QPainter>

#include "common/Clock.h"
#include "common/Text.h"
#include "files/PrintText.h"
#include "files/Printing.h"

namespace sonivel {
namespace {

// Column heads of the table on line y.
void ColumnHeads(QPainter& p, const SPageUnits& u, int y)
{
    TextAt(p, 4 * u.K, y, "ID");
    TextAt(p, 11 * u.K, y, "DateTime");
    TextAt(p, 27 * u.K, y, "Unit");
    TextAt(p, 33 * u.K, y, "Value");
}

void FirstPageHeader(QPainter& p, const SPageUnits& u, int N, const SStatBlock& block)
{
    const RTStatistics& s = block.stats;
    const int J = u.J, K = u.K;
    TextAt(p, u.hres / 4 - 5 * K, J, "Data Table");
    TextAt(p, 4 * K, J + N, "Start Time");
    TextAt(p, 15 * K, J + N, s.strStartTime);
    TextAt(p, 4 * K, J + 2 * N, "MaxNUM");
    TextAt(p, 15 * K, J + 2 * N, MaxEntryText(s));
    TextAt(p, 4 * K, J + 3 * N, "MinNUM");
    TextAt(p, 15 * K, J + 3 * N, MinEntryText(s));
    TextAt(p, 4 * K, J + 4 * N, "Average");
    TextAt(p, 15 * K, J + 4 * N, Format("%.2f", s.dAverage));
    TextAt(p, 4 * K, J + 5 * N, "Sample Rate");
    TextAt(p, 15 * K, J + 5 * N, Format("%.2f", block.dSampleRate));
    ColumnHeads(p, u, J + 7 * N);
}

void NextPageHeader(QPainter& p, const SPageUnits& u, int N)
{
    TextAt(p, u.hres / 4 - 4 * u.K, u.J, "Data Table");
    ColumnHeads(p, u, u.J + N);
}

void Footer(QPainter& p, const SPageUnits& u, int page)
{
    const std::string time = PrintTimeText(Now());
    const int y = u.vres - u.J;
    TextAt(p, u.hres / 3 - static_cast<int>(time.size()) * u.K, y, time);
    TextAt(p, u.hres / 3 + u.K, y, PageNumberText(page));
}

void Row(QPainter& p, const SPageUnits& u, int y, std::size_t i, const CObjData& r)
{
    TextAt(p, 4 * u.K, y, Format("%zu", i + 1));
    TextAt(p, 11 * u.K, y, r.m_strTime);
    TextAt(p, 27 * u.K, y, r.m_strUnit);
    TextAt(p, 33 * u.K, y, Format("%.2f", r.m_dValue));
    p.drawLine(4 * u.K, y, 40 * u.K, y);
}

} // namespace

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
    job.StartJobPage();
    const int N = p.fontMetrics().lineSpacing();
    FirstPageHeader(p, u, N, stats);

    const int R = RowsPerPage(u, N);
    for (std::size_t i = 0; i < n; ++i) {
        const SRowPlace place = PlaceRecord(i, n, R, u, N);
        Row(p, u, place.y, i, records.GetAt(i));
        if (place.closesPage) {
            Footer(p, u, place.page + 1);
            job.EndJobPage();
            job.StartJobPage();
            NextPageHeader(p, u, N);
        }
    }
    Footer(p, u, PageCount(n, R));
    job.EndJobPage();
    job.EndJob();
}

} // namespace sonivel
