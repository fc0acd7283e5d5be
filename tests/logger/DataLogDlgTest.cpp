// The data-logger window: its group list, the double-clicked group with its
// statistics and chart, closing, and re-creation.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "dialogs/Dialogs.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "logger/GroupListModel.h"
#include "LoggerRecords.h"
#include "support/ScriptedDialogs.h"

using loggertest::AddGroup;
using testsupport::CScriptedDialogs;

namespace {

class DataLogWindow : public ::testing::Test {
protected:
    QString Box(int id) const { return FindById<QLineEdit>(dlg.get(), id)->text(); }
    QString Cell(int row, int column) const
    {
        const QAbstractItemModel* m = dlg->Form().list->model();
        return m->index(row, column).data().toString();
    }
    int Rows() const { return dlg->Form().list->model()->rowCount(); }
    void Make() { dlg = std::make_unique<CDataLogDlg>(nullptr, store); }

    CScriptedDialogs dialogs;
    CRecordStore store;
    std::unique_ptr<CDataLogDlg> dlg;
};

} // namespace

TEST_F(DataLogWindow, ListsOneRowPerGroupUnderTheFiveColumns)
{
    AddGroup(store, 1, 100, 60.0, 1.0, "dBA", 0);
    AddGroup(store, 2, 1, 70.0, 0.5, "dBC", 10);
    AddGroup(store, 3, 5000, 80.0, 10.0, "dBA", 20);
    Make();
    EXPECT_EQ(dlg->windowTitle(), "DATALOGGER");
    EXPECT_FALSE(dlg->isModal());
    QTableView* list = dlg->Form().list;
    EXPECT_EQ(ResId(list), 1035);
    const char* heads[] = {"ID", "DATETIME", "UNIT", "Sampling Rate", "Nums"};
    const int widths[] = {31, 120, 55, 85, 45};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString(), heads[c]);
        EXPECT_GE(list->columnWidth(c), widths[c]);   // wider only for a wider font
    }
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 4), "100");
    EXPECT_EQ(Cell(1, 4), "1");
    EXPECT_EQ(Cell(2, 4), "5000");
    EXPECT_EQ(Cell(1, 0), "2");
    EXPECT_EQ(Cell(1, 1), "05-12-2011,9:10:00");
    EXPECT_EQ(Cell(1, 2), "dBC");
    EXPECT_EQ(Cell(1, 3), "0.50");
    // A new window has nothing selected and draws an empty chart.
    EXPECT_TRUE(dlg->SelGroup().IsEmpty());
    EXPECT_EQ(dlg->Form().graph->RecordList()->GetSize(), 0u);
    EXPECT_EQ(dlg->Form().rate->currentIndex(), -1);
    EXPECT_FALSE(dlg->Form().rate->isEnabled());
    QStringList rates;
    for (int i = 0; i < dlg->Form().rate->count(); ++i)
        rates << dlg->Form().rate->itemText(i);
    EXPECT_EQ(rates, (QStringList{"0.1", "0.2", "0.5", "1", "1.5", "2", "2.5", "3", "5", "10"}));
}

TEST_F(DataLogWindow, MenuCarriesTheSixCommands)
{
    Make();
    const std::pair<int, const char*> commands[] = {{32781, "Import Data(&I)"}, {32813, "Export To Excel(&E)"},
                                                    {32833, "Export CSV(&V)"},    {32793, "Save Selected(&S)"}, {32794, "Print Graph(&G)"},
                                                    {32795, "Print Data(&D)"}};
    for (const auto& [id, text] : commands) {
        auto* a = FindById<QAction>(dlg.get(), id);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_EQ(a->text(), text);
    }
    QStringList top;
    for (QAction* a : dlg->Form().menu->actions())
        top << a->text();
    EXPECT_EQ(top, QStringList({"Import Data(&I)", "Export To Excel(&E)", "Export CSV(&V)", "Save Data(&S)",
                                "Print(&P)", "Noise Statistics(&N)"}));
}

TEST_F(DataLogWindow, DoubleClickSelectsEveryRunOfTheGroupAndShowsItsStatistics)
{
    AddGroup(store, 1, 3, 50.0, 1.0, "dBA", 0);
    AddGroup(store, 2, 2, 90.0, 4.0, "dBC", 10);
    AddGroup(store, 1, 2, 70.0, 1.0, "dBA", 20);
    Make();
    ASSERT_EQ(Rows(), 3);
    dlg->OnGroupDoubleClicked(2);   // the second run of group 1
    ASSERT_EQ(dlg->SelGroup().GetSize(), 5u);
    EXPECT_EQ(Box(1009), "5");
    EXPECT_EQ(Box(1001), "05-12-2011,9:00:00");
    EXPECT_EQ(Box(1002), "70.1");
    EXPECT_EQ(Box(1003), "05-12-2011,9:20:01");
    EXPECT_EQ(Box(1008), "50.0");
    EXPECT_EQ(Box(1006), "05-12-2011,9:00:00");
    EXPECT_EQ(Box(1005), "58.1");   // (50 + 50.1 + 50.2 + 70 + 70.1) / 5 = 58.08
    EXPECT_EQ(dlg->Form().rate->currentIndex(), 3);
    EXPECT_FALSE(dlg->Form().rate->isEnabled());
    EXPECT_EQ(dlg->Form().graph->RecordList(), &dlg->SelGroup());
    EXPECT_DOUBLE_EQ(dlg->StatBlock().dSum, 50.0 + 50.1 + 50.2 + 70.0 + 70.1);

    // An interval of 4 s matches no entry; the boxes follow the new group.
    dlg->OnGroupDoubleClicked(1);
    EXPECT_EQ(dlg->Form().rate->currentIndex(), -1);
    EXPECT_EQ(Box(1009), "2");

    // Beside the rows nothing changes.
    dlg->OnGroupDoubleClicked(-1);
    dlg->OnGroupDoubleClicked(3);
    EXPECT_EQ(dlg->SelGroup().GetSize(), 2u);
}

TEST_F(DataLogWindow, DoubleClickOnARowFiresThroughTheListView)
{
    AddGroup(store, 7, 4);
    Make();
    QTableView* list = dlg->Form().list;
    emit list->doubleClicked(list->model()->index(0, 3));
    EXPECT_EQ(dlg->SelGroup().GetSize(), 4u);
    EXPECT_EQ(list->model()->index(0, 0).data(CGroupListModel::GroupRole).toInt(), 7);
}

TEST_F(DataLogWindow, CloseEmptiesTheStoreAndTheSelectionAndResetsTheCursors)
{
    AddGroup(store, 1, 30);
    Make();
    dlg->show();
    dlg->OnGroupDoubleClicked(0);
    CGraphicsBtn* g = dlg->Form().graph;
    g->m_nCursorA = 3;
    g->m_nCursorB = 9;
    g->m_nCursorState = sonivel::kCursorWaitA;
    g->m_ptTrack = {20, 30};
    dlg->close();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_TRUE(dlg->SelGroup().IsEmpty());
    EXPECT_EQ(g->RecordList()->GetSize(), 0u);
    EXPECT_EQ(g->m_nCursorA, -1);
    EXPECT_EQ(g->m_nCursorB, -1);
    EXPECT_EQ(g->m_nCursorState, sonivel::kCursorIdle);
    EXPECT_EQ(g->m_ptTrack, (sonivel::SPoint {0, 0}));
    // Nothing left to save, export or print.
    dlg->OnSaveSelected();
    dlg->OnExportExcel();
    dlg->OnPrintData();
    dlg->OnPrintGraph();
    EXPECT_TRUE(dialogs.saveAsked.isEmpty());
    EXPECT_EQ(dialogs.printDialogs, 0);
}

TEST_F(DataLogWindow, EscHidesTheWindowAndKeepsTheGroups)
{
    AddGroup(store, 1, 30);
    AddGroup(store, 2, 5);
    Make();
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    dlg->OnGroupDoubleClicked(1);
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(store.GetSize(), 35u);
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(dlg->SelGroup().GetSize(), 5u);
    EXPECT_EQ(dlg->Form().graph->RecordList()->GetSize(), 5u);
}

TEST_F(DataLogWindow, RecreateShowsAFreshWindowOfTheNewStore)
{
    AddGroup(store, 1, 10);
    Make();
    dlg->show();
    dlg->OnGroupDoubleClicked(0);
    dlg->close();
    AddGroup(store, 1, 3);
    AddGroup(store, 2, 4);
    dlg->Recreate();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->isMinimized());
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(1, 4), "4");
    EXPECT_TRUE(dlg->SelGroup().IsEmpty());
    EXPECT_EQ(Box(1009), "");
    EXPECT_EQ(Box(1001), "");
    EXPECT_EQ(dlg->Form().rate->currentIndex(), -1);
    EXPECT_DOUBLE_EQ(dlg->Form().graph->m_dXMax, 20.0);
}
