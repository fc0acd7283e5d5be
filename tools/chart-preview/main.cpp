// sonivel-chart-preview: the chart on its own, with a generated series, its
// cursor and indication fields and its scroll bars.
//
//   sonivel-chart-preview [records] [--zoom X1 Y1 X2 Y2] [--follow MS]
//
// records      number of generated records (default 500; 0 shows an empty chart)
// --zoom       drags a zoom rectangle from (X1, Y1) to (X2, Y2) once shown
// --follow MS  adds a record every MS milliseconds, as a monitoring run does
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "common/Text.h"
#include "dialogs/Dialogs.h"
#include "graph/ChartIds.h"
#include "graph/ChartParent.h"
#include "graph/ChartWidgets.h"
#include "graph/ColorSettingCommand.h"
#include "graph/GraphicsBtn.h"

namespace {

// A level that wanders like traffic noise around 60 dB.
double Level(long i)
{
    const double slow = 12.0 * std::sin(i * 0.0021) + 6.0 * std::sin(i * 0.013);
    const double jitter = static_cast<double>((static_cast<unsigned long>(i) * 2654435761u) % 800) / 100.0;
    return 58.0 + slow + jitter;
}

std::string TimeOf(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    return sonivel::Format("%.2d-%.2d-%d,%.2d:%.2d:%.2d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900,
                           tm.tm_hour, tm.tm_min, tm.tm_sec);
}

void AddRecord(CRecordStore& store, std::time_t start)
{
    const long i = static_cast<long>(store.GetSize());
    store.Add(CObjData(Level(i), TimeOf(start + i), "dBA", 0, 1.0));
}

void Drag(QWidget* w, QPoint from, QPoint to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, w->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, w->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(w, &release);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    long count = 500;
    QRect zoom;
    int followMs = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--zoom" && i + 4 < args.size()) {
            zoom = QRect(QPoint(args[i + 1].toInt(), args[i + 2].toInt()), QPoint(args[i + 3].toInt(), args[i + 4].toInt()));
            i += 4;
        } else if (args[i] == "--follow" && i + 1 < args.size()) {
            followMs = args[++i].toInt();
        } else if (bool ok = false; (count = args[i].toLong(&ok)), ok && count >= 0) {
        } else {
            std::fprintf(stderr, "usage: sonivel-chart-preview [records] [--zoom X1 Y1 X2 Y2] [--follow MS]\n");
            return 2;
        }
    }

    CRecordStore store;
    const std::time_t start = std::time(nullptr) - count;
    for (long i = 0; i < count; ++i)
        AddRecord(store, start);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Sonivel chart preview"));
    auto* grid = new QGridLayout(&window);
    auto* top = new QHBoxLayout;
    top->addWidget(CreateCursorGroup(&window));
    top->addWidget(CreateIndicationGroup(&window), 0, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(CreateUndoZoomButton(&window));
    auto* colours = new QPushButton(QStringLiteral("Color Setting"), &window);
    buttons->addWidget(colours);
    buttons->addStretch();
    top->addLayout(buttons);
    top->addStretch();
    grid->addLayout(top, 0, 0, 1, 2);
    auto* chart = new CGraphicsBtn(&window);
    SetResId(chart, chartid::kChart);
    grid->addWidget(chart, 1, 0);
    grid->addWidget(CreateChartScrollBar(&window, Qt::Vertical), 1, 1);
    grid->addWidget(CreateChartScrollBar(&window, Qt::Horizontal), 2, 0);
    grid->setRowStretch(1, 1);
    CreateLevelStatics(&window);
    CChartParent parent(&window, chart, [&store] { return &store; });
    QObject::connect(colours, &QPushButton::clicked, &window, [&] { RunColorSetting(&window, *chart); });

    chart->Redraw(&store, 1);
    window.resize(1100, 720);
    window.show();
    chart->Redraw(&store, 1);
    if (zoom.isValid() || !zoom.isNull())
        QTimer::singleShot(300, chart, [&] { Drag(chart, zoom.topLeft(), zoom.bottomRight()); });
    QTimer follow;
    if (followMs > 0) {
        chart->m_bFollow = true;
        QObject::connect(&follow, &QTimer::timeout, chart, [&] {
            AddRecord(store, start);
            chart->Redraw(&store, 0);
        });
        follow.start(followMs);
    }
    return app.exec();
}
