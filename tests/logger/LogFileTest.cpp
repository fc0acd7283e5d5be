// Open and Import read a data text file into the logger store; Save
// Selected and Export To Excel write the selected group.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/DataFile.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "logger/DataLogger.h"
#include "LoggerHarness.h"
#include "LoggerRecords.h"
#include "support/ScriptedDialogs.h"

using loggertest::AddGroup;
using testsupport::CScriptedDialogs;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kTwoRecords = "DECIVOX DATA LOGGER SamplingRate:0.5;\r\n"
                               "05-12-2011,14:03:07, 65.30, dBA\r\n"
                               "05-12-2011,14:03:08,  5.30, dBC\r\n";

class LogFiles : public ::testing::Test {
protected:
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString Box(int id) const { return FindById<QLineEdit>(dlg.get(), id)->text(); }
    int Rows() const { return dlg->Form().list->model()->rowCount(); }
    // Saves a run of 12 records at 0.5 s as run.txt and opens it in the main view's way.
    void OpenSavedRun(loggertest::CLoggerHarness& h)
    {
        AddGroup(h.rtStore, 0, 12, 60.0, 0.5);
        ASSERT_TRUE(sonivel::WriteDataFile(QFile::encodeName(File("run.txt")).toStdString(), h.rtStore).ok);
        dialogs.openAnswers << File("run.txt");
        h.logger.Open();
    }

    QTemporaryDir dir;
    CScriptedDialogs dialogs;
    CRecordStore store;
    std::unique_ptr<CDataLogDlg> dlg;
};

} // namespace

TEST_F(LogFiles, OpenOfASavedRunListsOneGroupWithIdZero)
{
    loggertest::CLoggerHarness h;
    OpenSavedRun(h);
    EXPECT_EQ(dialogs.openAsked, QStringList({"*.txt|txt|Data File(*.txt)"}));
    ASSERT_NE(h.logger.Window(), nullptr);
    EXPECT_TRUE(h.logger.Window()->isVisible());
    const auto& rows = h.logger.Window()->Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].nGroup, 0);
    EXPECT_EQ(rows[0].nCount, 12u);
    EXPECT_DOUBLE_EQ(rows[0].dSampleRate, 0.5);

    // A second Open re-creates the window: new list, nothing selected.
    h.logger.Window()->OnGroupDoubleClicked(0);
    WriteAll(File("two.txt"), kTwoRecords);
    dialogs.openAnswers << File("two.txt");
    CDataLogDlg* first = h.logger.Window();
    h.logger.Open();
    EXPECT_EQ(h.logger.Window(), first);
    EXPECT_EQ(h.logger.Window()->Rows().at(0).nCount, 2u);
    EXPECT_TRUE(h.logger.Window()->SelGroup().IsEmpty());
}

TEST_F(LogFiles, RefusedOrUnreadableFilesChangeNothing)
{
    loggertest::CLoggerHarness h;
    AddGroup(h.logStore, 3, 4);
    WriteAll(File("case.txt"), "Decivox Data Logger SamplingRate:1.0;\r\n05-12-2011,14:03:07, 65.30, dBA\r\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(File("pipe.txt")).constData(), 0600), 0);   // nobody writes it
    dialogs.openAnswers << File("case.txt") << File("missing.txt") << File("pipe.txt") << QString();
    h.logger.Open();
    h.logger.Open();
    h.logger.Open();
    h.logger.Open();   // Cancel
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_EQ(dialogs.messages[0], "ERROR: Data Format is wrong!");
    EXPECT_TRUE(dialogs.messages[1].contains("missing.txt")) << dialogs.messages[1].toStdString();
    EXPECT_TRUE(dialogs.messages[2].contains("pipe.txt")) << dialogs.messages[2].toStdString();
    EXPECT_EQ(h.logStore.GetSize(), 4u);
    EXPECT_EQ(h.logStore.GetAt(0).m_nGroup, 3);
    EXPECT_EQ(h.logger.Window(), nullptr);
}

TEST_F(LogFiles, ImportStopsAtAnEmptyLineAndEmptiesTheSelection)
{
    AddGroup(store, 1, 5);
    dlg = std::make_unique<CDataLogDlg>(nullptr, store);
    dlg->OnGroupDoubleClicked(0);
    const QString countBefore = Box(1009);
    WriteAll(File("gap.txt"), kTwoRecords + "\r\n05-12-2011,14:03:09, 70.00, dBA\r\n");
    dialogs.openAnswers << File("gap.txt");
    dlg->OnImport();
    ASSERT_EQ(store.GetSize(), 2u);
    EXPECT_EQ(store.GetAt(1).m_strTime, "05-12-2011,14:03:08");
    EXPECT_DOUBLE_EQ(store.GetAt(1).m_dValue, 5.3);
    EXPECT_EQ(store.GetAt(1).m_strUnit, "dBC");
    EXPECT_EQ(store.GetAt(1).m_nGroup, 0);
    ASSERT_EQ(Rows(), 1);
    EXPECT_TRUE(dlg->SelGroup().IsEmpty());
    EXPECT_EQ(dlg->Form().graph->RecordList()->GetSize(), 0u);
    EXPECT_EQ(Box(1009), countBefore);   // the boxes keep the previous group's texts
    // With nothing selected, Save Selected and Export To Excel ask nothing.
    dlg->OnSaveSelected();
    dlg->OnExportExcel();
    EXPECT_TRUE(dialogs.saveAsked.isEmpty());
}

TEST_F(LogFiles, ImportThenSaveSelectedRoundTripsTheGroup)
{
    dlg = std::make_unique<CDataLogDlg>(nullptr, store);
    QByteArray content = "DECIVOX DATA LOGGER SamplingRate:0.1;\r\n";
    for (int i = 0; i < 25; ++i)
        content += QByteArray("05-12-2011,9:00:") + QByteArray::number(10 + i) + ", " +
                   QByteArray::number(100.0 + i * 0.25, 'f', 2) + (i % 2 ? ", dBC\r\n" : ", dBA\r\n");
    WriteAll(File("in.txt"), content);
    dialogs.openAnswers << File("in.txt");
    dlg->OnImport();
    dlg->OnGroupDoubleClicked(0);
    ASSERT_EQ(dlg->SelGroup().GetSize(), 25u);
    dialogs.saveAnswers << File("out.txt");
    dlg->OnSaveSelected();
    ASSERT_EQ(dialogs.saveAsked.size(), 1);
    EXPECT_TRUE(dialogs.saveAsked[0].endsWith(".txt|txt|Data File(*.txt)"));
    EXPECT_EQ(ReadAll(File("out.txt")), content);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(LogFiles, ExportToExcelWritesTheDataLoggerVariant)
{
    store.Add(CObjData(65.3, "05-12-2011,14:03:07", "dBA", 1, 1.0));
    dlg = std::make_unique<CDataLogDlg>(nullptr, store);
    dlg->OnGroupDoubleClicked(0);
    dialogs.saveAnswers << File("out.xls");
    dlg->OnExportExcel();
    EXPECT_TRUE(dialogs.saveAsked.value(0).endsWith(".xls|xls|Data File(*.xls)"));
    const QByteArray text = ReadAll(File("out.xls"));
    EXPECT_TRUE(text.contains("Max\t65.30 @ 05-12-2011,14:03:07  dBA \t\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("1\tdBA\t65.30\t05-12-2011,14:03:07\t\r\n"));
}

TEST_F(LogFiles, AWriteFailureNamesTheFileAndLosesNothing)
{
    AddGroup(store, 1, 3);
    dlg = std::make_unique<CDataLogDlg>(nullptr, store);
    dlg->OnGroupDoubleClicked(0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.txt")));   // a folder where the file should go
    dialogs.saveAnswers << File("taken.txt") << File("nofolder/x.xls");
    dlg->OnSaveSelected();
    dlg->OnExportExcel();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].startsWith("ERROR: ")) << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.messages[0].contains("taken.txt")) << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.messages[1].contains("x.xls"));
    EXPECT_TRUE(QFileInfo(File("taken.txt")).isDir());
    EXPECT_EQ(store.GetSize(), 3u);
    EXPECT_EQ(dlg->SelGroup().GetSize(), 3u);
}

TEST_F(LogFiles, OpeningALargeFileKeepsTheEventLoopTurningAndCancelKeepsWhatWasThere)
{
    loggertest::CLoggerHarness h;
    OpenSavedRun(h);
    CDataLogDlg* window = h.logger.Window();
    ASSERT_NE(window, nullptr);
    window->OnGroupDoubleClicked(0);
    ASSERT_EQ(window->SelGroup().GetSize(), 12u);

    // Long enough to read that the progress dialog comes up.
    QByteArray big = "DECIVOX DATA LOGGER SamplingRate:0.1;\r\n";
    const QByteArray line = "05-12-2011,14:03:07, 65.30, dBA\r\n";
    big.reserve(line.size() * 600000 + big.size());
    for (int i = 0; i < 600000; ++i)
        big += line;
    WriteAll(File("big.txt"), big);

    // A timer of the event loop ticks during the read, then presses Cancel
    // in the progress dialog.
    int ticks = 0;
    bool pressed = false;
    QTimer tick;
    tick.setInterval(20);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++ticks;
        auto* progress = h.view.findChild<QProgressDialog*>(QStringLiteral("jobProgress"));
        if (!pressed && progress && progress->isVisible()) {
            pressed = true;
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    tick.start();
    dialogs.openAnswers << File("big.txt");
    h.logger.Open();
    tick.stop();

    EXPECT_GT(ticks, 5);
    EXPECT_TRUE(pressed) << "the progress dialog never came up";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    EXPECT_EQ(h.logStore.GetSize(), 12u);
    EXPECT_EQ(h.logger.Window(), window);
    EXPECT_EQ(window->SelGroup().GetSize(), 12u);
    EXPECT_EQ(window->SelGroup().RecordKey(0), h.logStore.RecordKey(0));
    EXPECT_EQ(window->Rows().size(), 1u);
    EXPECT_EQ(h.view.findChild<QProgressDialog*>(), nullptr);
}
