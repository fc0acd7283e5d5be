// Chart drawing: a whole Redraw in fit mode on a 1600 x 800 control of
// 40,000, 864,000 (a day at 0.1 s) and 2,592,000 records, read from the
// store's envelope and, for comparison, record by record; at 40,000 also
// against the plain loop of one drawLine per segment (the series alone); and a
// pointer move while cursor A is placed, with the repaint it asks for.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <memory>

#include "BenchQt.h"
#include "graph/GraphicsBtn.h"

namespace {

// n records of the same shape, made once per n and kept.
const CRecordStore& Records(std::size_t n = 40000)
{
    static std::map<std::size_t, CRecordStore> stores;
    CRecordStore& store = stores[n];
    if (store.IsEmpty()) {
        for (std::size_t i = 0; i < n; ++i) {
            const double v = 60.0 + 25.0 * std::sin(static_cast<double>(i % 40000) * 0.003)
                + static_cast<double>((i * 2654435761u) % 1500) / 100.0;
            store.Add(CObjData(v, "01-03-2021,10:00:00", "dBA", 0, 1.0));
        }
    }
    return store;
}

// The same records without their envelope: the chart visits every record.
class CWithoutEnvelope final : public CRecordList {
public:
    explicit CWithoutEnvelope(const CRecordList& records) : m_records(records) {}
    std::size_t GetSize() const override { return m_records.GetSize(); }
    CObjData GetAt(std::size_t i) const override { return m_records.GetAt(i); }
    double LevelAt(std::size_t i) const override { return m_records.LevelAt(i); }
    CRecordSnapshot Snapshot() const override { return m_records.Snapshot(); }
    const void* RecordKey(std::size_t i) const override { return m_records.RecordKey(i); }

private:
    const CRecordList& m_records;
};

// A chart of 1600 x 800 that has already fitted the records.
std::unique_ptr<CGraphicsBtn> FittedChart(bool plainSeries, const CRecordList& records = Records())
{
    BenchApp();
    auto chart = std::make_unique<CGraphicsBtn>();
    chart->resize(1600, 800);
    chart->show();
    chart->SetPlainSeries(plainSeries);
    chart->Redraw(&records, 1);
    return chart;
}

// The whole Redraw in fit mode; the series from the envelope.
void BM_RedrawFit(benchmark::State& state)
{
    const CRecordStore& records = Records(static_cast<std::size_t>(state.range(0)));
    auto chart = FittedChart(false, records);
    for (auto _ : state) {
        chart->Redraw(&records, 1);
        benchmark::DoNotOptimize(chart->Picture().constBits());
    }
}

// The same, merging the records' segments one record at a time.
void BM_RedrawFitRecordByRecord(benchmark::State& state)
{
    const CWithoutEnvelope records(Records(static_cast<std::size_t>(state.range(0))));
    auto chart = FittedChart(false, records);
    for (auto _ : state) {
        chart->Redraw(&records, 1);
        benchmark::DoNotOptimize(chart->Picture().constBits());
    }
}

// The fixed part: an empty list.
void BM_RedrawEmpty(benchmark::State& state)
{
    BenchApp();
    CGraphicsBtn chart;
    chart.resize(1600, 800);
    chart.show();
    CRecordStore empty;
    for (auto _ : state) {
        chart.Redraw(&empty, 1);
        benchmark::DoNotOptimize(chart.Picture().constBits());
    }
}

// The same Redraw with the series drawn one segment at a time.
void BM_Redraw40000FitPerSegment(benchmark::State& state)
{
    auto chart = FittedChart(true);
    for (auto _ : state) {
        chart->Redraw(&Records(), 1);
        benchmark::DoNotOptimize(chart->Picture().constBits());
    }
}

// The plain loop: one drawLine per neighbouring pair, nothing else.
void BM_PlainLoop40000(benchmark::State& state)
{
    auto chart = FittedChart(false);   // for the fitted scales
    const CRecordList& r = Records();
    QImage image(1600, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.setPen(QPen(Qt::blue, 1));
        QPoint prev(sonivel::IndexToColumn(*chart, 0), sonivel::LevelToRow(*chart, r.LevelAt(0)));
        for (std::size_t i = 1; i < r.GetSize(); ++i) {
            const QPoint cur(sonivel::IndexToColumn(*chart, static_cast<double>(i)),
                             sonivel::LevelToRow(*chart, r.LevelAt(i)));
            p.drawLine(prev, cur);
            prev = cur;
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// One pointer move while cursor B is being placed (cursor A and the tracking
// line shown), alternating between two columns, with the repaint it asks for.
void BM_MouseMoveCursorPlaced(benchmark::State& state)
{
    const CRecordStore& records = Records(static_cast<std::size_t>(state.range(0)));
    auto chart = FittedChart(false, records);
    chart->m_nCursorA = static_cast<int>(records.GetSize() / 3);
    chart->m_nCursorState = sonivel::kCursorWaitB;
    chart->Redraw(&records, 1);
    QApplication::processEvents();
    int k = 0;
    for (auto _ : state) {
        const QPointF at(900 + 40 * (k++ % 2), 300);
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chart.get(), &move);
        QApplication::processEvents();
    }
    state.counters["recomposes"] = chart->BaseComposeCount();
}

} // namespace

BENCHMARK(BM_RedrawFit)
    ->Arg(40000)->Arg(864000)->Arg(2592000)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawFitRecordByRecord)
    ->Arg(40000)->Arg(864000)->Arg(2592000)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MouseMoveCursorPlaced)
    ->Arg(40000)->Arg(864000)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redraw40000FitPerSegment)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainLoop40000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
