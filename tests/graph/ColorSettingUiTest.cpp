#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

#include "ChartFixture.h"
#include <QLabel>
#include "support/ScriptedDialogs.h"
#include "dialogs/Dialogs.h"
#include "graph/ColorSettingCommand.h"
#include "graph/DlgColorSet.h"

using namespace sonivel;
using namespace graphtest;
using testsupport::CScriptedDialogs;

TEST(ColorSetting, OkTakesTheChosenColoursAndWritesAllNineKeys)
{
    CTempConfig config;
    CScriptedDialogs dialogs;
    CGraphicsBtn chart;
    chart.resize(300, 200);
    chart.show();
    dialogs.chosenColor = QColor(1, 2, 3);
    dialogs.exec = [](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "ColorSetting");
        FindById<QPushButton>(&dlg, 1069)->click();   // line colour
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(RunColorSetting(nullptr, chart));
    EXPECT_EQ(dialogs.colorDialogStarts.value(0), QColor(0, 0, 0));   // starts from black
    EXPECT_EQ(chart.m_clrLine, Rgb(1, 2, 3));
    EXPECT_EQ(chart.m_clrBackground, SChartColors{}.background);
    EXPECT_EQ(chart.Picture().pixel(52, 50), ToRgb(SChartColors{}.background));

    QFile file(config.Path() + "/Sonivel/ColorConfig.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Kova_BKCOLOR]\r\nRVALUE=0\r\nGVALUE=100\r\nBVALUE=100\r\n"
                                         "[Kova_GRIDCOLOR]\r\nRVALUE=255\r\nGVALUE=0\r\nBVALUE=255\r\n"
                                         "[Kova_LINECOLOR]\r\nRVALUE=1\r\nGVALUE=2\r\nBVALUE=3\r\n"));
    CGraphicsBtn next;   // a chart made later reads the new colours
    EXPECT_EQ(next.m_clrLine, Rgb(1, 2, 3));
}

TEST(ColorSetting, CancelLeavesChartAndFileUnchanged)
{
    CTempConfig config;
    CScriptedDialogs dialogs;
    CGraphicsBtn chart;
    dialogs.chosenColor = QColor(9, 9, 9);
    dialogs.exec = [](QDialog& dlg) {
        FindById<QPushButton>(&dlg, 1068)->click();
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(RunColorSetting(nullptr, chart));
    EXPECT_EQ(chart.m_clrGrid, SChartColors{}.grid);
    EXPECT_FALSE(QFile::exists(config.Path() + "/Sonivel/ColorConfig.ini"));
}

TEST(ColorSetting, AFileThatCannotBeWrittenIsReportedAndTheChartKeepsTheColours)
{
    CTempConfig config;
    // A plain file where the settings folder should be: the folder cannot be made.
    QFile blocker(config.Path() + "/Sonivel");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CScriptedDialogs dialogs;
    CGraphicsBtn chart;
    dialogs.chosenColor = QColor(4, 5, 6);
    dialogs.exec = [](QDialog& dlg) {
        FindById<QPushButton>(&dlg, 1070)->click();   // background colour
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(RunColorSetting(nullptr, chart));
    EXPECT_EQ(chart.m_clrBackground, Rgb(4, 5, 6));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("ERROR: Cannot save the colours to"));
    EXPECT_TRUE(dialogs.messages[0].contains(config.Path() + "/Sonivel/ColorConfig.ini"));
}

TEST(ColorSetting, SwatchesShowTheWorkingColours)
{
    CDlgColorSet dlg;
    dlg.m_clrGrid = Rgb(10, 20, 30);
    dlg.UpdateSwatches();
    EXPECT_EQ(FindById<QLabel>(&dlg, 1065)->palette().color(QPalette::Window), QColor(10, 20, 30));
    EXPECT_EQ(FindById<QLabel>(&dlg, 1065)->text(), QString(18, QLatin1Char(' ')));
    CScriptedDialogs dialogs;   // colour dialog cancelled: nothing changes
    FindById<QPushButton>(&dlg, 1068)->click();
    EXPECT_EQ(dlg.m_clrGrid, Rgb(10, 20, 30));
}
