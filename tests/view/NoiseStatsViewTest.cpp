// The Noise Statistics window as both windows open it by command: the figures
// of a data file's group and of the records between the cursors, and the
// whole monitoring run as it is recorded.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "acoustics/NoiseStatsWnd.h"
#include "files/DataFile.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "monitor/MonitorRun.h"
#include "protocol/ProtocolTestUtil.h"
#include "support/ScriptedDialogs.h"
#include "view/MyKovaView.h"

namespace {

// The texts of one span of the window.
struct SSpanView {
    CNoiseStatsWnd* wnd;
    int span;

    std::string Caption() const { return FindById<QLabel>(wnd, noiseid::Caption(span))->text().toStdString(); }
    bool Shows(int w = 0) const { return !FindById<QGroupBox>(wnd, noiseid::Box(span, w))->isHidden(); }
    std::string Heading(int w = 0) const
    {
        return FindById<QGroupBox>(wnd, noiseid::Box(span, w))->title().toStdString();
    }
    // The value (column 1) or time (column 2) of the figure called name; a
    // figure the table does not hold is "absent".
    std::string Figure(const QString& name, int column = 1, int w = 0) const
    {
        const auto* t = FindById<QTableWidget>(wnd, noiseid::Figures(span, w));
        for (int r = 0; r < t->rowCount(); ++r)
            if (t->item(r, 0)->text() == name)
                return t->item(r, column)->text().toStdString();
        return "absent";
    }
    std::vector<std::string> HourRow(int row, int w = 0) const
    {
        const auto* t = FindById<QTableWidget>(wnd, noiseid::Hourly(span, w));
        std::vector<std::string> cells;
        for (int c = 0; c < t->columnCount() && row < t->rowCount(); ++c)
            cells.push_back(t->item(row, c)->text().toStdString());
        return cells;
    }
};

class NoiseStatsViewTest : public ::testing::Test {
protected:
    NoiseStatsViewTest() : view(nullptr, SViewOptions{QString(), false})
    {
        view.resize(1000, 700);
        view.show();
        QApplication::processEvents();
    }
    ~NoiseStatsViewTest() override { sonivel::SetClock({}); }

    // Places cursors A and B on chart at records a and b as the user does:
    // a double-click, then a click at each (far enough apart in time not to
    // make another double-click).
    static void PlaceCursors(CGraphicsBtn* chart, int a, int b)
    {
        const auto at = [chart](int i) { return QPoint(sonivel::IndexToColumn(*chart, i) + 1, chart->height() / 2); };
        QTest::mouseDClick(chart, Qt::LeftButton, {}, at(a), 500);
        QTest::mouseClick(chart, Qt::LeftButton, {}, at(a), 500);
        QTest::mouseClick(chart, Qt::LeftButton, {}, at(b), 500);
        QApplication::processEvents();
    }
    // One record of a monitoring run at the level given as its four BCD digits.
    void Record(const char* level)
    {
        const auto frame = prototest::Frame(level);
        for (int i = 0; i < 2; ++i)   // the reading lags one frame
            view.OnReceiveData(frame.data(), frame.size());
        view.OnRunTimer(TIMER_SAMPLE);
    }

    testsupport::CScriptedDialogs dialogs;
    CMyKovaView view;
};

} // namespace

// Ten dBA records one second apart from 07-12-2026 05:09:00:
//   55, 60, 62.5, 58, 90, 65, 61, 57, 70, 52 dB
// Energies 10^(L/10): 3.162e5, 1e6, 1.778e6, 6.310e5, 1e9, 3.162e6, 1.259e6,
// 5.012e5, 1e7, 1.585e5; sum 1.01881e9, mean 1.01881e8:
//   LAeq = 10 log10(1.01881e8) = 80.08, far above the arithmetic average 63.05.
// Sorted 52 55 57 58 60 61 62.5 65 70 90, rank h = 9 p:
//   LA10 = P90 (h 8.1) 70 + 0.1 x 20 = 72.0; LA90 = P10 (h 0.9) 52 + 0.9 x 3 = 54.7
//   LAmax 90.0 at 05:09:04. One clock hour (05, night): Lnight = LAeq, no Lden.
// Cursors A and B on records 5 and 8: 65, 61, 57, 70 dB, energies sum 1.49224e7:
//   LAeq = 10 log10(1.49224e7 / 4) = 65.72; sorted 57 61 65 70, h = 3 p:
//   LA10 (h 2.7) 65 + 0.7 x 5 = 68.5; LA90 (h 0.3) 57 + 0.3 x 4 = 58.2; LAmax 70.0.
TEST_F(NoiseStatsViewTest, FileGroupAndCursorSpanShowTheHandComputedFigures)
{
    const double levels[] = {55, 60, 62.5, 58, 90, 65, 61, 57, 70, 52};
    CRecordStore records;
    for (int i = 0; i < 10; ++i)
        records.Add(CObjData(levels[i], "07-12-2026,05:09:0" + std::to_string(i), "dBA", 0, 1.0));
    QTemporaryDir dir;
    const QString path = dir.filePath("survey.txt");
    ASSERT_TRUE(sonivel::WriteDataFile(path.toStdString(), records).ok);

    view.OpenDataFile(path);
    auto* logger = view.findChild<CDataLogDlg*>();
    ASSERT_NE(logger, nullptr);
    FindById<QAction>(logger, 32835)->trigger();
    auto* wnd = logger->findChild<CNoiseStatsWnd*>();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(wnd->isVisible());
    EXPECT_FALSE(wnd->isModal());
    const SSpanView group{wnd, 0}, cursors{wnd, 1};
    EXPECT_EQ(group.Caption(), "Double-click a group in the list to see its figures.");
    EXPECT_FALSE(group.Shows());

    logger->OnGroupDoubleClicked(0);
    EXPECT_EQ(group.Caption(), "Group 0: 10 records.");
    ASSERT_TRUE(group.Shows());
    EXPECT_EQ(group.Heading(), "A-weighted (dBA)");
    EXPECT_EQ(group.Figure("LAeq"), "80.1 dB");
    EXPECT_EQ(group.Figure("Average"), "63.0 dB");   // 63.05 held in binary as a little less
    EXPECT_EQ(group.Figure("LA10"), "72.0 dB");
    EXPECT_EQ(group.Figure("LA90"), "54.7 dB");
    EXPECT_EQ(group.Figure("LAmax"), "90.0 dB");
    EXPECT_EQ(group.Figure("LAmax", 2), "2026-12-07 05:09:04");
    EXPECT_EQ(group.Figure("Duration"), "0:00:10");
    EXPECT_EQ(group.Figure("Lnight"), "80.1 dB");
    EXPECT_EQ(group.Figure("Lden"), "absent");
    EXPECT_EQ(group.HourRow(0), (std::vector<std::string>{"2026-12-07 05:00", "80.1 dB", "10"}));
    EXPECT_FALSE(cursors.Shows());

    PlaceCursors(logger->Form().graph, 5, 8);
    EXPECT_EQ(cursors.Caption(), "Records 6 to 9, between cursors A and B: 4 records.");
    ASSERT_TRUE(cursors.Shows());
    EXPECT_EQ(cursors.Figure("LAeq"), "65.7 dB");
    EXPECT_EQ(cursors.Figure("LA10"), "68.5 dB");
    EXPECT_EQ(cursors.Figure("LA90"), "58.2 dB");
    EXPECT_EQ(cursors.Figure("LAmax"), "70.0 dB");
    EXPECT_EQ(cursors.Figure("Count"), "4");
    EXPECT_EQ(group.Figure("LAeq"), "80.1 dB");   // the group stays whole

    // A right click takes the cursors away, and their figures with them.
    QTest::mouseClick(logger->Form().graph, Qt::RightButton, {}, QPoint(100, 100), 500);
    QApplication::processEvents();
    EXPECT_FALSE(cursors.Shows());
    EXPECT_TRUE(cursors.Caption().starts_with("Place cursors A and B")) << cursors.Caption();

    // The command again raises the same window.
    FindById<QAction>(logger, 32835)->trigger();
    EXPECT_EQ(logger->findChildren<CNoiseStatsWnd*>().size(), 1);
}

// 60 dB then 90 dB: LAeq = 10 log10((1e6 + 1e9) / 2) = 86.99; a third record
// of 60 dB taken while the window is closed: 10 log10((2e6 + 1e9) / 3) = 85.24.
TEST_F(NoiseStatsViewTest, TheWholeRunFollowsEachRecordAndANewRunOrClearStartsAfresh)
{
    sonivel::SetClock([] { return prototest::LocalNoon(2026, 12, 7); });
    view.OnCommand(32832);
    auto* wnd = view.findChild<CNoiseStatsWnd*>();
    ASSERT_NE(wnd, nullptr);
    const SSpanView run{wnd, 0}, cursors{wnd, 1};
    EXPECT_EQ(run.Caption(), "No record of a monitoring run yet.");

    const auto first = prototest::Frame("0600");
    view.OnReceiveData(first.data(), first.size());
    view.OnCommand(32771);
    ASSERT_TRUE(view.IsRunActive());
    Record("0600");
    EXPECT_EQ(run.Caption(), "The whole monitoring run: 1 record.");
    EXPECT_EQ(run.Figure("LAeq"), "60.0 dB");
    Record("0900");
    EXPECT_EQ(run.Figure("LAeq"), "87.0 dB");
    EXPECT_EQ(run.Figure("Average"), "75.0 dB");
    EXPECT_EQ(run.Figure("LAmax"), "90.0 dB");
    EXPECT_EQ(run.Figure("Count"), "2");
    EXPECT_EQ(run.Figure("Lday"), "87.0 dB");   // noon

    wnd->close();
    Record("0600");
    view.OnCommand(32832);
    EXPECT_EQ(view.findChildren<CNoiseStatsWnd*>().size(), 1);
    EXPECT_TRUE(wnd->isVisible());
    EXPECT_EQ(run.Figure("LAeq"), "85.2 dB");
    EXPECT_EQ(run.Figure("Count"), "3");
    view.OnCommand(32772);

    // The cursors of the main chart: records 2 and 3 (90 and 60 dB).
    PlaceCursors(view.Graph(), 1, 2);
    EXPECT_EQ(cursors.Figure("LAeq"), "87.0 dB");
    EXPECT_EQ(cursors.Figure("LAmin"), "60.0 dB");

    // Clear Data empties both spans; the next run's records start afresh.
    view.OnCommand(32773);
    EXPECT_EQ(run.Caption(), "No record of a monitoring run yet.");
    EXPECT_FALSE(run.Shows());
    EXPECT_FALSE(cursors.Shows());
    view.OnCommand(32771);
    Record("0500");
    EXPECT_EQ(run.Figure("LAeq"), "50.0 dB");
    EXPECT_EQ(run.Figure("Count"), "1");
    view.OnCommand(32772);
}
