#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "ChartFixture.h"
#include <QLabel>
#include "support/ScriptedDialogs.h"
#include "GraphTestData.h"
#include "dialogs/Dialogs.h"
#include "graph/ChartIds.h"
#include "graph/ChartParent.h"
#include "graph/ChartWidgets.h"

using namespace sonivel;
using namespace graphtest;
using testsupport::CScriptedDialogs;

namespace {

const double kLevels[10] = {40, 55, 70, 70, 30, 30, 62, 48, 90, 10};

// A parent window with the chart (400 x 300: 31 pixels per sample over ten
// records), the cursor and indication groups, the scroll bars and "UnDo Zoom".
class ParentTest : public ::testing::Test {
protected:
    ParentTest() : store(MakeStore(10, [](std::size_t i) { return kLevels[i]; }))
    {
        chart = new CGraphicsBtn(&window);
        SetResId(chart, chartid::kChart);
        CreateCursorGroup(&window)->move(0, 310);
        CreateIndicationGroup(&window)->move(420, 310);
        CreateLevelStatics(&window);
        CreateChartScrollBar(&window, Qt::Vertical)->setGeometry(400, 0, 15, 300);
        CreateChartScrollBar(&window, Qt::Horizontal)->setGeometry(0, 300, 400, 15);
        CreateUndoZoomButton(&window)->move(420, 0);
        parent = std::make_unique<CChartParent>(&window, chart, [this] { return store.get(); });
        window.resize(800, 600);
        chart->setGeometry(0, 0, 400, 300);
        window.show();
        chart->m_dXMax = 9;
        chart->ResetView();
        chart->Redraw(store.get(), 1);
    }
    QString Text(int id) const { return FindById<QLineEdit>(&window, id)->text(); }
    QPoint AtRecord(int i) const { return QPoint(IndexToColumn(*chart, i) + 1, 150); }
    QScrollBar* Bar(int id) const { return FindById<QScrollBar>(&window, id); }
    // Clicks far enough apart in time not to make a double-click.
    void Click(QPoint p) { QTest::mouseClick(chart, Qt::LeftButton, {}, p, 500); }

    CTempConfig config;
    CScriptedDialogs dialogs;
    std::unique_ptr<CRecordStore> store;
    QWidget window;
    CGraphicsBtn* chart;
    std::unique_ptr<CChartParent> parent;
};

} // namespace

TEST_F(ParentTest, CursorsFillTheFieldsAndTheStatisticsBetweenThem)
{
    QTest::mouseDClick(chart, Qt::LeftButton, {}, AtRecord(5), 500);
    EXPECT_EQ(chart->m_nCursorState, kCursorWaitA);
    QTest::mouseMove(chart, AtRecord(1));   // A follows the pointer
    EXPECT_EQ(Text(1004), "55.0");
    Click(AtRecord(2));
    EXPECT_EQ(parent->CursorA(), 2);
    EXPECT_EQ(Text(1004), "70.0");
    EXPECT_EQ(Text(1011), QString::fromLatin1(TimeText(2)));
    EXPECT_EQ(Text(1023), "");

    Click(AtRecord(2));   // at A: refused
    Click(AtRecord(1));   // left of A: refused
    EXPECT_EQ(chart->m_nCursorState, kCursorWaitB);
    EXPECT_EQ(Text(1023), "");

    Click(AtRecord(6));
    EXPECT_EQ(chart->m_nCursorState, kCursorIdle);
    EXPECT_EQ(Text(1023), "62.0");
    EXPECT_EQ(Text(1024), QString::fromLatin1(TimeText(6)));
    EXPECT_EQ(Text(1025), "70.0");   // the first of the equal maxima
    EXPECT_EQ(Text(1026), QString::fromLatin1(TimeText(2)));
    EXPECT_EQ(Text(1027), "30.0");
    EXPECT_EQ(Text(1028), QString::fromLatin1(TimeText(4)));
    EXPECT_EQ(Text(1029), "52.4");   // (70 + 70 + 30 + 30 + 62) / 5
    EXPECT_EQ(Text(1032), "5");

    // Two records give the count 2 and their mean.
    QTest::mouseDClick(chart, Qt::LeftButton, {}, AtRecord(5), 500);
    Click(AtRecord(7));
    Click(AtRecord(8));
    EXPECT_EQ(Text(1032), "2");
    EXPECT_EQ(Text(1029), "69.0");

    // Right click clears the cursors; the fields keep their texts.
    QTest::mouseClick(chart, Qt::RightButton, {}, AtRecord(3), 500);
    EXPECT_EQ(chart->m_nCursorA, -1);
    EXPECT_EQ(Text(1032), "2");
}

TEST_F(ParentTest, IndicationShowsTheRecordUnderThePointerButNeverRecordZero)
{
    QTest::mouseMove(chart, AtRecord(0));
    EXPECT_EQ(Text(1033), "");
    QTest::mouseMove(chart, AtRecord(3));
    EXPECT_EQ(Text(1033), "70.0");
    EXPECT_EQ(Text(1034), QString::fromLatin1(TimeText(3)));
    QTest::mouseMove(chart, AtRecord(0));
    EXPECT_EQ(Text(1033), "70.0");   // unchanged over record 0
}

TEST_F(ParentTest, ScaleNoticeSetsTheHiddenStaticsAndTheBars)
{
    EXPECT_EQ(FindById<QLabel>(&window, 1012)->text(), "0.00");
    EXPECT_FALSE(FindById<QLabel>(&window, 1022)->isVisible());
    EXPECT_EQ(Bar(chartid::kHScroll)->maximum(), 0);   // fit mode: nothing to scroll

    QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(100, 60));
    QTest::mouseMove(chart, QPoint(200, 160));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(200, 160));
    ASSERT_TRUE(chart->m_bZoomed);
    const SScrollBars expected = ScrollBarsFor(*chart);
    EXPECT_EQ(Bar(chartid::kVScroll)->maximum(), expected.vMax);
    EXPECT_EQ(Bar(chartid::kVScroll)->value(), expected.vPos);
    EXPECT_EQ(Bar(chartid::kHScroll)->maximum(), expected.hMax);
    EXPECT_GT(expected.hMax, 0);

    FindById<QPushButton>(&window, chartid::kUndoZoom)->click();
    EXPECT_FALSE(chart->m_bZoomed);
    EXPECT_EQ(Bar(chartid::kHScroll)->maximum(), 0);
}

TEST_F(ParentTest, ScrollLineStepsStopAtTheEndsAndPageStepsDoNothing)
{
    QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(100, 60));
    QTest::mouseMove(chart, QPoint(200, 160));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(200, 160));
    QScrollBar* v = Bar(chartid::kVScroll);
    const double yo = chart->m_dYOffset;

    v->setValue(v->maximum());
    v->triggerAction(QAbstractSlider::SliderSingleStepAdd);   // at the end: unchanged
    EXPECT_EQ(v->value(), v->maximum());
    const int span = static_cast<int>(chart->m_nH * chart->m_dYScale);
    EXPECT_DOUBLE_EQ(chart->m_dYOffset, chart->m_dYMax - span - v->maximum());

    v->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(v->value(), v->maximum() - 1);
    EXPECT_DOUBLE_EQ(chart->m_dYOffset, chart->m_dYMax - span - (v->maximum() - 1));
    const int before = v->value();
    v->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(v->value(), before);

    v->setValue(0);
    v->triggerAction(QAbstractSlider::SliderSingleStepSub);   // at the top: unchanged
    EXPECT_EQ(v->value(), 0);
    EXPECT_DOUBLE_EQ(chart->m_dYOffset, chart->m_dYMax - span);
    EXPECT_NE(chart->m_dYOffset, yo);

    QScrollBar* h = Bar(chartid::kHScroll);
    h->setValue(0);
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(chart->m_dXOffset, 1.0);
    h->setValue(h->maximum());
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(h->value(), h->maximum());
}

TEST_F(ParentTest, OnlyOwnBarsScrollWhenAsked)
{
    CChartParent strict(&window, chart, [this] { return store.get(); }, {true});
    QScrollBar other(Qt::Vertical);
    chart->m_dYScale = 0.1;
    const double yo = chart->m_dYOffset;
    strict.OnVScroll(EScrollCode::ThumbPosition, 3, &other);
    EXPECT_EQ(chart->m_dYOffset, yo);
    strict.OnVScroll(EScrollCode::ThumbPosition, 3, Bar(chartid::kVScroll));
    EXPECT_NE(chart->m_dYOffset, yo);
}
