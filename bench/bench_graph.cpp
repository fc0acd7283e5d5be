// Chart drawing: a whole Redraw of 40,000 records in fit mode on a 1600 x 800
// control, against the plain loop of one drawLine per segment over the same
// records (the series alone).
#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

#include "BenchQt.h"
#include "graph/GraphicsBtn.h"

namespace {

const CRecordStore& Records()
{
    static CRecordStore store;
    if (store.IsEmpty()) {
        for (int i = 0; i < 40000; ++i) {
            const double v = 60.0 + 25.0 * std::sin(i * 0.003) + static_cast<double>((i * 2654435761u) % 1500) / 100.0;
            store.Add(std::make_unique<CObjData>(v, "01-03-2021,10:00:00", "dBA", 0, 1.0));
        }
    }
    return store;
}

// A chart of 1600 x 800 that has already fitted the records.
std::unique_ptr<CGraphicsBtn> FittedChart(bool plainSeries)
{
    BenchApp();
    auto chart = std::make_unique<CGraphicsBtn>();
    chart->resize(1600, 800);
    chart->show();
    chart->SetPlainSeries(plainSeries);
    chart->Redraw(&Records(), 1);
    return chart;
}

void BM_Redraw40000Fit(benchmark::State& state)
{
    auto chart = FittedChart(false);
    for (auto _ : state) {
        chart->Redraw(&Records(), 1);
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
        QPoint prev(sonivel::IndexToColumn(*chart, 0), sonivel::LevelToRow(*chart, r.GetAt(0).m_dValue));
        for (std::size_t i = 1; i < r.GetSize(); ++i) {
            const QPoint cur(sonivel::IndexToColumn(*chart, static_cast<double>(i)),
                             sonivel::LevelToRow(*chart, r.GetAt(i).m_dValue));
            p.drawLine(prev, cur);
            prev = cur;
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_Redraw40000Fit)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redraw40000FitPerSegment)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainLoop40000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
