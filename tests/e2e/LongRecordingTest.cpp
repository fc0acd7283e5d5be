// Three days at 0.1 s (2,592,000 records) through the real main view: File >
// Open of the data text file, the group shown in the data-logger window, a
// zoom box drawn, both cursors placed, Print Graph into a PDF file and Save
// Selected. The chart's pixels must be those of per-segment drawing in the
// state the mouse left it, and the saved file must be the opened one byte for
// byte. Under AddressSanitizer the recording is a tenth as long (the test
// would take minutes); the Release build runs the whole length. The second
// test checks that the window keeps answering during a long Save.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QAction>
#include <QPushButton>
#include <QApplication>
#include <QTest>

#include "app/MainFrame.h"
#include "common/Text.h"
#include "files/JobDialog.h"
#include "files/DataFile.h"
#include "graph/ChartMouse.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "support/ScriptedDialogs.h"
#include "view/MyKovaView.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SONIVEL_LONG_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SONIVEL_LONG_SANITIZED 1
#endif

namespace {

#ifdef SONIVEL_LONG_SANITIZED
constexpr std::size_t kRecords = 259200;
#else
constexpr std::size_t kRecords = 2592000;
#endif

namespace fs = std::filesystem;

// Record i of a run at 0.1 s from 1 March 2021: a slow swing, noise and a
// spike each 10,007 records.
CObjData LongRecord(std::size_t i)
{
    const std::size_t s = i / 10;
    const std::string time = sonivel::Format("%.2d-03-2021,%.2d:%.2d:%.2d", static_cast<int>(1 + s / 86400),
                                             static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
                                             static_cast<int>(s % 60));
    double level = 55.0 + 20.0 * std::sin(static_cast<double>(i) * 0.00031) + static_cast<double>((i * 7919) % 113) / 10.0;
    if (i % 10007 == 0)
        level = 118.4;
    return CObjData(level, time, "dBA", 0, 0.1);
}

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// How many pixels of the chart's picture differ from per-segment drawing of
// the same records in the same state (zoom, cursors).
int DifferingFromPerSegment(CGraphicsBtn& chart, const CRecordList& records)
{
    const QImage merged = chart.Picture().copy();
    chart.SetPlainSeries(true);
    chart.Redraw(&records, 1);
    const QImage plain = chart.Picture().copy();
    chart.SetPlainSeries(false);
    chart.Redraw(&records, 1);
    int diff = plain.size() == merged.size() ? 0 : -1;
    for (int y = 0; diff >= 0 && y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            diff += plain.pixel(x, y) != merged.pixel(x, y);
    return diff;
}

TEST(LongRecording, OpenZoomCursorsPrintAndSaveKeepPixelsAndBytes)
{
    const fs::path dir = fs::temp_directory_path() / ("sonivel-long-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(dir);
    const fs::path input = dir / "three-days.txt", saved = dir / "saved.txt", pdf = dir / "graph.pdf";
    {
        CRecordStore store;
        for (std::size_t i = 0; i < kRecords; ++i)
            store.Add(LongRecord(i));
        ASSERT_TRUE(sonivel::WriteDataFile(input.string(), store).ok);
    }

    testsupport::CScriptedDialogs dialogs;
    dialogs.openPath = QString::fromStdString(input.string());
    dialogs.savePath = QString::fromStdString(saved.string());
    dialogs.setupPrinter = testsupport::CScriptedDialogs::PrintToPdf(QString::fromStdString(pdf.string()));
    CMyKovaView view(nullptr, SViewOptions{QString(), false});
    view.show();
    ASSERT_TRUE(view.OnCommand(32790));   // File > Open
    auto* window = view.findChild<CDataLogDlg*>();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(view.LogStore().GetSize(), kRecords);
    window->showNormal();
    window->OnGroupDoubleClicked(0);
    ASSERT_EQ(window->SelGroup().GetSize(), kRecords);
    QApplication::processEvents();

    // A zoom box dragged over a twentieth of the span, then both cursors.
    CGraphicsBtn& chart = *window->Form().graph;
    const int w = chart.width(), h = chart.height();
    QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(w * 4 / 10, h * 2 / 10));
    QTest::mouseMove(&chart, QPoint(w * 42 / 100, h * 7 / 10));
    QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(w * 42 / 100, h * 7 / 10));
    ASSERT_TRUE(chart.m_bZoomed);
    QTest::mouseDClick(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(w / 3, h / 2));
    QTest::mouseClick(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(w / 3, h / 2));
    QTest::mouseMove(&chart, QPoint(w * 2 / 3, h / 2));
    QTest::mouseClick(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(w * 2 / 3, h / 2));
    QApplication::processEvents();
    ASSERT_GE(chart.m_nCursorA, 0);
    ASSERT_GT(chart.m_nCursorB, chart.m_nCursorA);

    EXPECT_EQ(DifferingFromPerSegment(chart, window->SelGroup()), 0);

    window->OnPrintGraph();
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_LT(fs::file_size(pdf), 512u * 1024u);
    EXPECT_NE(Bytes(pdf).rfind("%%EOF"), std::string::npos) << "the PDF ends whole";

    window->OnSaveSelected();
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_TRUE(Bytes(saved) == Bytes(input)) << "the saved file differs from the opened one";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    fs::remove_all(dir);
}

// While a long Save runs, the main window answers: the data list can be shown,
// the commands that would conflict with the Save are grey and refused (Clear
// Data answered OK would empty the records the Save reads), and the window
// does not close. The file is then the store's, whole.
TEST(LongRecording, TheWindowAnswersWhileASaveRunsAndRefusesWhatWouldConflict)
{
    const fs::path dir = fs::temp_directory_path() / ("sonivel-busy-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(dir);
    const fs::path saved = dir / "saved.txt", expected = dir / "expected.txt";
    testsupport::CScriptedDialogs dialogs;   // every question answered OK / Yes
    dialogs.savePath = QString::fromStdString(saved.string());
    CMainFrame frame(SViewOptions{QString(), false});
    frame.show();
    auto* view = frame.findChild<CMyKovaView*>();
    ASSERT_NE(view, nullptr);
    constexpr std::size_t n = kRecords / 10;
    for (std::size_t i = 0; i < n; ++i)
        view->RTStore().Add(LongRecord(i));
    ASSERT_TRUE(sonivel::WriteDataFile(expected.string(), view->RTStore()).ok);

    struct SDuring {
        bool asked = false, saveGrey = false, listAnswered = false, closed = true;
        std::size_t afterClear = 0;
    } during;
    // Runs in the Save's own event loop, before its work has begun.
    const auto once = QObject::connect(&sonivel::CJobState::Instance(), &sonivel::CJobState::RunningChanged, &frame,
                                       [&](bool running) {
        if (!running || during.asked)
            return;
        during.asked = true;
        QMetaObject::invokeMethod(&frame, [&] {
            during.saveGrey = !frame.Action(32786)->isEnabled() && !frame.Action(32773)->isEnabled() &&
                              !frame.Action(32788)->isEnabled() && frame.Action(32817)->isEnabled();
            QTest::mouseClick(view->Form().showList, Qt::LeftButton);   // Show List
            during.listAnswered = view->IsListShown();
            frame.Action(32773)->trigger();  // Clear Data, greyed: nothing happens
            view->OnCommand(32773);          // nor when asked directly
            during.afterClear = view->RTStore().GetSize();
            during.closed = frame.close();
        }, Qt::QueuedConnection);
    });
    ASSERT_TRUE(view->OnCommand(32786));   // File > Save
    QObject::disconnect(once);

    EXPECT_TRUE(during.asked);
    EXPECT_TRUE(during.saveGrey) << "Save, Clear Data and Exit grey, Color Setting not";
    EXPECT_TRUE(during.listAnswered);
    EXPECT_EQ(during.afterClear, n);
    EXPECT_FALSE(during.closed);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.Action(32786)->isEnabled());
    EXPECT_TRUE(Bytes(saved) == Bytes(expected)) << "the saved file is not the store's";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    view->RTStore().RemoveAll();   // the window closes without asking
    fs::remove_all(dir);
}

} // namespace
