#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "common/Clock.h"
#include "files/DataFile.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "monitor/MeterButton.h"
#include "monitor/MeterPanel.h"
#include "monitor/MonitorRun.h"
#include "serial/PtyPair.h"
#include "view/MyKovaView.h"
#include "view/UserGuide.h"
#include "support/ScriptedDialogs.h"

using testsupport::CScriptedDialogs;

namespace {

class ViewTest : public ::testing::Test {
protected:
    ViewTest() : view(nullptr, SViewOptions{QString(), false})
    {
        view.resize(1000, 700);
        view.show();
        QApplication::processEvents();
    }
    ~ViewTest() override
    {
        sonivel::SetClock({});
        sonivel::SetSteadyClock({});
    }

    // Any chunk from the meter marks the link alive.
    void LinkAlive()
    {
        const std::uint8_t byte = 0x00;
        view.OnReceiveData(&byte, 1);
    }
    QString Field(int id) { return FindById<QLineEdit>(&view, id)->text(); }
    QWidget* W(int id) { return FindById<QWidget>(&view, id); }
    void Click(int id) { QTest::mouseClick(FindById<QPushButton>(&view, id), Qt::LeftButton); }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            view.OnRunTimer(TIMER_SAMPLE);
    }

    CScriptedDialogs dialogs;
    CMyKovaView view;
};

TEST_F(ViewTest, FormHoldsEveryControlWithItsTextAndFirstState)
{
    for (int id : {1010, 1039, 1038, 1049, 1050, 1051, 1052, 1053, 1054, 1058, 1061, 1037, 1000, 1059, 1060,
                   1001, 1002, 1003, 1008, 1006, 1005, 1009, 1007, 1004, 1011, 1023, 1024, 1025, 1026, 1027,
                   1028, 1029, 1032, 1030, 1031, 1033, 1034})
        EXPECT_NE(W(id), nullptr) << id;
    for (int id = 1012; id <= 1022; ++id)
        EXPECT_TRUE(W(id) && W(id)->isHidden()) << id;
    EXPECT_EQ(FindById<QGroupBox>(&view, 1058)->title(), "Real Time Graph");
    EXPECT_EQ(FindById<QGroupBox>(&view, 1061)->title(), "Cursor");
    EXPECT_EQ(FindById<QLabel>(&view, 1030)->text(), "CursorA");
    EXPECT_EQ(FindById<QPushButton>(&view, 1000)->text(), "UnDo Zoom");
    EXPECT_EQ(FindById<QPushButton>(&view, 1060)->text(), "Data List");

    auto* rate = FindById<QComboBox>(&view, 1007);
    QStringList texts;
    for (int i = 0; i < rate->count(); ++i)
        texts << rate->itemText(i);
    EXPECT_EQ(texts, (QStringList{"0.1", "0.2", "0.5", "1", "1.5", "2", "2.5", "3", "5", "10"}));
    EXPECT_EQ(rate->currentIndex(), 2);
    EXPECT_TRUE(W(1037)->isHidden());
    EXPECT_TRUE(W(1010)->isVisible());
    EXPECT_EQ(qobject_cast<CGraphicsBtn*>(W(1010)), view.Graph());
    EXPECT_EQ(view.RecordLimit(), 40000);
    EXPECT_FALSE(view.IsLinkAlive());
}

TEST_F(ViewTest, GraphAndDataListShareOnePlaceAndSwitch)
{
    EXPECT_EQ(W(1037)->geometry(), W(1010)->geometry());
    Click(1060);
    Click(1060);   // twice: the list stays
    EXPECT_TRUE(view.IsListShown());
    EXPECT_TRUE(W(1037)->isVisible());
    EXPECT_TRUE(W(1010)->isHidden() && W(1039)->isHidden() && W(1038)->isHidden());
    Click(1059);
    EXPECT_FALSE(view.IsListShown());
    EXPECT_TRUE(W(1010)->isVisible() && W(1039)->isVisible() && W(1038)->isVisible());
    EXPECT_TRUE(W(1037)->isHidden());
}

TEST_F(ViewTest, TheChartHiddenByTheListIsComposedOnceWhenShownAgain)
{
    CGraphicsBtn& chart = *view.Graph();
    LinkAlive();
    view.OnCommand(32771);
    ASSERT_TRUE(view.IsRunActive());
    Click(1060);
    QApplication::processEvents();
    const int composes = chart.BaseComposeCount();
    for (int i = 0; i < 5; ++i) {
        Ticks(1);
        QApplication::processEvents();
    }
    EXPECT_EQ(view.RTStore().GetSize(), 5u);
    EXPECT_EQ(chart.BaseComposeCount(), composes);

    Click(1059);
    QApplication::processEvents();
    EXPECT_EQ(chart.BaseComposeCount(), composes + 1);
    // The chart shows all five records: the screen is the whole picture.
    EXPECT_EQ(chart.grab().toImage().convertToFormat(QImage::Format_RGB32), chart.Picture());
    view.OnCommand(32772);
}

// The data list paints only the rows a tick appends and moves the rest as it
// is on screen: what the screen shows must be what painting the whole list
// shows, while the list fills its place, once it scrolls, and after Clear Data.
TEST_F(ViewTest, TheDataListOnScreenIsTheWholeListAfterEveryTick)
{
    auto* list = FindById<QTableView>(&view, 1037);
    const auto onScreen = [&] {
        const QPoint at = list->mapTo(&view, QPoint(0, 0));
        return view.screen()
            ->grabWindow(view.winId(), at.x(), at.y(), list->width(), list->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto whole = [&] { return list->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    FindById<QComboBox>(&view, 1007)->setCurrentIndex(9);   // 10 s: only the test's ticks record
    LinkAlive();
    view.OnCommand(32771);
    ASSERT_TRUE(view.IsRunActive());
    Click(1060);
    QApplication::processEvents();
    const int rowsShown = list->viewport()->height() / list->verticalHeader()->defaultSectionSize();
    for (int round = 0; round < 2; ++round) {
        for (int i = 1; i <= rowsShown + 5; ++i) {
            Ticks(1);
            QApplication::processEvents();
            QApplication::processEvents();   // the scroll bar's coming is queued
            ASSERT_EQ(onScreen(), whole()) << "round " << round << ", after " << i << " records";
        }
        EXPECT_EQ(list->model()->rowCount(), rowsShown + 5);
        const QModelIndex last = list->model()->index(rowsShown + 4, 0);
        EXPECT_EQ(last.data().toString(), QString::number(rowsShown + 5));
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(last)));
        view.OnCommand(32772);
        view.OnCommand(32773);   // Clear Data, answered OK
        QApplication::processEvents();
        QApplication::processEvents();   // the scroll bar goes, queued
        EXPECT_EQ(list->model()->rowCount(), 0);
        EXPECT_EQ(onScreen(), whole());
        view.OnCommand(32771);
    }
    view.OnCommand(32772);
}

TEST_F(ViewTest, ShrinkingBelow800By550KeepsTheGraphAtThatSize)
{
    view.resize(800, 550);
    QApplication::processEvents();
    const QRect graph = W(1010)->geometry(), hbar = W(1038)->geometry(), vbar = W(1039)->geometry();
    EXPECT_EQ(vbar.x(), 800 - 42);
    EXPECT_EQ(hbar.y(), 550 - 35);
    view.resize(640, 400);
    QApplication::processEvents();
    EXPECT_EQ(W(1010)->geometry(), graph);
    EXPECT_EQ(W(1037)->geometry(), graph);
    EXPECT_EQ(W(1038)->geometry(), hbar);
    EXPECT_EQ(W(1039)->geometry(), vbar);
    const QRect cursor = W(1061)->geometry();
    EXPECT_EQ(graph.top(), cursor.y() + cursor.height() + 5);
    EXPECT_EQ(graph.left(), cursor.x());
}

TEST_F(ViewTest, RunNeedsTheLinkThenRecordsEveryTickAndStopKeepsTheRecords)
{
    QSignalSpy runState(&view, &CMyKovaView::RunStateChanged);
    view.OnCommand(32771);
    EXPECT_FALSE(view.IsRunActive());   // no data from the meter: nothing happens

    LinkAlive();
    view.OnCommand(32771);
    ASSERT_TRUE(view.IsRunActive());
    EXPECT_FALSE(W(1007)->isEnabled());
    EXPECT_DOUBLE_EQ(view.SampleInterval(), 0.5);
    EXPECT_TRUE(view.IsTimerActive(TIMER_SAMPLE));
    Ticks(3);
    EXPECT_EQ(view.RTStore().GetSize(), 3u);
    EXPECT_EQ(Field(1009), "3");
    EXPECT_EQ(Field(1002), "50.0");
    EXPECT_EQ(Field(1005), "50.0");
    auto* list = FindById<QTableView>(&view, 1037);
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->model()->index(2, 0).data().toString(), "3");
    EXPECT_EQ(list->model()->index(2, 3).data().toString(), "50.00");

    view.OnCommand(32772);
    EXPECT_FALSE(view.IsRunActive());
    EXPECT_TRUE(W(1007)->isEnabled());
    EXPECT_EQ(view.RTStore().GetSize(), 3u);
    ASSERT_EQ(runState.size(), 2);
    EXPECT_TRUE(runState[0][0].toBool());
    EXPECT_FALSE(runState[1][0].toBool());
}

TEST_F(ViewTest, RunOverASeriesDiscardsItOnlyWhenItWasSavedOrTheQuestionCancelled)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    struct SCase {
        const char* what;
        bool answerOk;
        QString savePath;       // empty: the file dialog is cancelled
        bool runStarts;
    };
    const SCase cases[] = {
        {"question cancelled", false, {}, true},
        {"file dialog cancelled", true, {}, false},
        {"folder missing", true, dir.filePath("missing-folder/run.txt"), false},
        {"under a regular file", true, dir.filePath("plain/run.txt"), false},
        {"saved", true, dir.filePath("run.txt"), true},
    };
    LinkAlive();
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (view.RTStore().IsEmpty()) {
            view.OnCommand(32771);
            Ticks(2);
            view.OnCommand(32772);
        }
        ASSERT_EQ(view.RTStore().GetSize(), 2u);
        dialogs.questions.clear();
        dialogs.messages.clear();
        dialogs.answerOk = c.answerOk;
        dialogs.savePath = c.savePath;
        view.OnCommand(32771);
        EXPECT_EQ(dialogs.questions, QStringList{"Tip: Save Current Data?"});
        EXPECT_EQ(view.IsRunActive(), c.runStarts);
        if (c.runStarts) {
            EXPECT_EQ(view.RTStore().GetSize(), 0u);
            EXPECT_EQ(FindById<QTableView>(&view, 1037)->model()->rowCount(), 0);
            EXPECT_EQ(Field(1009), "");
            EXPECT_TRUE(dialogs.messages.isEmpty());
            view.OnCommand(32772);
        } else {
            EXPECT_EQ(view.RTStore().GetSize(), 2u);
            EXPECT_EQ(FindById<QTableView>(&view, 1037)->model()->rowCount(), 2);
            EXPECT_EQ(Field(1009), "2");
            EXPECT_TRUE(W(1007)->isEnabled());
            if (!c.savePath.isEmpty()) {
                ASSERT_EQ(dialogs.messages.size(), 1);
                EXPECT_TRUE(dialogs.messages[0].contains(c.savePath)) << dialogs.messages[0].toStdString();
            }
        }
    }
    EXPECT_GT(QFileInfo(dir.filePath("run.txt")).size(), 0);
}

TEST_F(ViewTest, ClearDataAnsweredCancelKeepsEverything)
{
    LinkAlive();
    view.OnCommand(32771);
    Ticks(2);
    view.OnCommand(32772);
    dialogs.answerOk = false;
    view.OnCommand(32773);
    EXPECT_EQ(dialogs.questions.last(), "Tips: Clear data?");
    EXPECT_EQ(view.RTStore().GetSize(), 2u);
    EXPECT_EQ(Field(1009), "2");
    dialogs.answerOk = true;
    view.OnCommand(32773);
    EXPECT_EQ(view.RTStore().GetSize(), 0u);
    EXPECT_EQ(Field(1009), "");
    EXPECT_EQ(FindById<QTableView>(&view, 1037)->model()->rowCount(), 0);
}

TEST_F(ViewTest, SetupStartsARunThatEndsAtTheRecordLimit)
{
    LinkAlive();
    dialogs.exec = [](QDialog& dlg) {
        FindById<QLineEdit>(&dlg, 1044)->setText("5");
        FindById<QComboBox>(&dlg, 1007)->setCurrentIndex(3);
        dlg.accept();
        return dlg.result();
    };
    view.OnCommand(32791);
    EXPECT_EQ(dialogs.execTitles, QStringList{"Real-Time Setup"});
    ASSERT_TRUE(view.IsRunActive());
    EXPECT_EQ(view.RecordLimit(), 5);
    EXPECT_DOUBLE_EQ(view.SampleInterval(), 1.0);
    EXPECT_EQ(FindById<QComboBox>(&view, 1007)->currentText(), "1");
    Ticks(5);
    EXPECT_TRUE(view.IsRunActive());
    Ticks(1);
    EXPECT_FALSE(view.IsRunActive());
    EXPECT_EQ(view.RTStore().GetSize(), 5u);
    EXPECT_TRUE(W(1007)->isEnabled());
}

TEST_F(ViewTest, SilentMeterStopsTheRunAndKeepsTheRecords)
{
    sonivel::SteadyTime now = sonivel::SteadyTime{} + std::chrono::hours(1);
    sonivel::SetSteadyClock([&now] { return now; });
    LinkAlive();
    view.OnCommand(32771);
    Ticks(2);
    now += std::chrono::seconds(1);
    view.OnRunTimer(TIMER_WATCHDOG);
    EXPECT_TRUE(view.IsRunActive());
    now += std::chrono::seconds(1);
    view.OnRunTimer(TIMER_WATCHDOG);
    EXPECT_FALSE(view.IsRunActive());
    EXPECT_FALSE(view.IsLinkAlive());
    EXPECT_EQ(view.RTStore().GetSize(), 2u);
    view.OnCommand(32771);
    EXPECT_FALSE(view.IsRunActive());   // Run does nothing until data arrives again
}

TEST_F(ViewTest, DataLoggerDuringARunAsksToStopFirst)
{
    LinkAlive();
    view.OnCommand(32771);
    view.OnCommand(32780);
    EXPECT_EQ(dialogs.messages, QStringList{"Tip: Please stop the Real Time Runing!"});
}

TEST_F(ViewTest, SaveOffersTheTimeNamedFileAndReportsAFileThatCannotBeWritten)
{
    view.OnCommand(32786);   // nothing to save: no dialog
    EXPECT_TRUE(dialogs.saveAsked.isEmpty());

    LinkAlive();
    view.OnCommand(32771);
    Ticks(2);
    view.OnCommand(32772);
    QTemporaryDir dir;
    dialogs.savePath = dir.filePath("missing-folder/run.txt");
    view.OnCommand(32786);
    ASSERT_EQ(dialogs.saveAsked.size(), 1);
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d{1,2}-\d{1,2} \d{1,2}-\d{1,2}\.txt\|txt\|Data File\(\*\.txt\)$)")
                    .match(dialogs.saveAsked[0]).hasMatch())
        << dialogs.saveAsked[0].toStdString();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("missing-folder/run.txt")) << dialogs.messages[0].toStdString();
    EXPECT_EQ(view.RTStore().GetSize(), 2u);

    dialogs.savePath = dir.filePath("run.xls");
    view.OnCommand(32785);
    EXPECT_TRUE(dialogs.saveAsked.last().endsWith(".xls|xls|Data File(*.xls)"));
    EXPECT_TRUE(QFile::exists(dir.filePath("run.xls")));
}

TEST_F(ViewTest, CommandIdsOutsideTheViewAreNotRun)
{
    EXPECT_TRUE(CMyKovaView::IsViewCommand(32817));
    EXPECT_FALSE(CMyKovaView::IsViewCommand(57664));
    EXPECT_FALSE(view.OnCommand(57664));
}

TEST(ViewKeys, APanelKeyReachesTheMeterOnlyWhileDataArrives)
{
    CPtyPair meter;
    ASSERT_TRUE(meter.Ok());
    CScriptedDialogs dialogs;
    CMyKovaView view(nullptr, SViewOptions{QString::fromStdString(meter.Path()), true});
    view.show();
    QApplication::processEvents();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    CMeterButton* maxMin = view.Form().panel->Button(2);

    QTest::mouseClick(maxMin, Qt::LeftButton);   // silent meter: the press is ignored
    EXPECT_TRUE(meter.Drain(100).empty());

    meter.Send({0x00});
    ASSERT_TRUE(QTest::qWaitFor([&view] { return view.IsLinkAlive(); }, 10000));
    QTest::mouseClick(maxMin, Qt::LeftButton);
    EXPECT_EQ(meter.Drain(10000), (std::vector<std::uint8_t>{0x11}));   // MaxMin's byte, once
}

// Records the URLs the program hands to the desktop.
class CRecordingOpener final : public IUrlOpener {
public:
    CRecordingOpener() { SetUrlOpener(this); }
    ~CRecordingOpener() override { SetUrlOpener(nullptr); }
    bool Open(const QUrl& url) override
    {
        urls << url;
        return accept;
    }
    QList<QUrl> urls;
    bool accept = true;
};

TEST_F(ViewTest, HelpOpensTheShippedGuideWhosePicturesAreThere)
{
    CRecordingOpener browser;
    view.OnCommand(32799);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    ASSERT_EQ(browser.urls.size(), 1);
    const QUrl url = browser.urls[0];
    ASSERT_TRUE(url.isLocalFile());
    EXPECT_TRUE(url.toLocalFile().endsWith("/guide/index.html")) << url.toString().toStdString();
    QFile guide(url.toLocalFile());
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(guide.readAll());
    EXPECT_TRUE(html.contains("--port")) << "the guide tells the command line";
    // Every picture and local link of the guide resolves.
    const QRegularExpression ref(R"re((?:src|href)="([^"#:]+)")re");
    int pictures = 0;
    for (const QRegularExpressionMatch& m : ref.globalMatch(html)) {
        const QString target = QFileInfo(url.toLocalFile()).dir().filePath(m.captured(1));
        EXPECT_TRUE(QFileInfo(target).isFile()) << target.toStdString();
        pictures += target.endsWith(".png");
    }
    EXPECT_GE(pictures, 3);
}

TEST(UserGuide, AMissingGuideNamesEveryPlaceLookedAtAndABrowserFailureIsReported)
{
    CScriptedDialogs dialogs;
    CRecordingOpener browser;
    QTemporaryDir dir;
    const QStringList places{dir.filePath("a/guide/index.html"), dir.filePath("b/guide/index.html")};
    EXPECT_FALSE(OpenUserGuide(nullptr, places));
    EXPECT_TRUE(browser.urls.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    for (const QString& place : places)
        EXPECT_TRUE(dialogs.messages[0].contains(place)) << dialogs.messages[0].toStdString();

    ASSERT_TRUE(QDir(dir.path()).mkpath("b/guide"));
    QFile guide(places[1]);
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
    guide.close();
    EXPECT_TRUE(OpenUserGuide(nullptr, places));
    ASSERT_EQ(browser.urls.size(), 1);
    EXPECT_EQ(browser.urls[0], QUrl::fromLocalFile(places[1]));
    EXPECT_EQ(dialogs.messages.size(), 1);

    browser.accept = false;   // no browser to start
    EXPECT_FALSE(OpenUserGuide(nullptr, places));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].contains(places[1])) << dialogs.messages[1].toStdString();
}

TEST_F(ViewTest, AFileNamedAtStartOpensAsFileOpenWould)
{
    QTemporaryDir dir;
    CRecordStore records;
    for (int i = 0; i < 3; ++i)
        records.Add(CObjData(60.0 + i, "07-12-2026,05:09:0" + std::to_string(i), "dBA", 0, 1.0));
    const QString good = dir.filePath("run.txt");
    ASSERT_TRUE(sonivel::WriteDataFile(good.toStdString(), records).ok);

    view.OpenDataFile(dir.filePath("absent.txt"));
    EXPECT_TRUE(view.LogStore().IsEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("absent.txt")) << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.openAsked.isEmpty());

    view.OpenDataFile(good);
    EXPECT_TRUE(dialogs.openAsked.isEmpty());
    EXPECT_EQ(view.LogStore().GetSize(), 3u);
    auto* window = view.findChild<CDataLogDlg*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(window->Rows().size(), 1u);
}

} // namespace
