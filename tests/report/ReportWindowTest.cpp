// Report PDF in the data-logger window: the selected group's report is written
// to the file chosen in the save dialog; a long report or CSV export shows its
// progress, and Cancel there keeps the file that was there.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PdfText.h"
#include "dialogs/Dialogs.h"
#include "logger/DataLogDlg.h"
#include "logger/LoggerRecords.h"
#include "support/CancelProgress.h"
#include "support/ScriptedDialogs.h"

// Group 2: 60.0, 60.1 ... 60.9 dBC, one a second (the helper's levels), so
// LCeq = 10 lg(mean of 10^(L/10)) = 60.46; group 1 (dBA) is not selected.
TEST(ReportWindow, ReportPdfOfTheDataLoggerWritesTheSelectedGroup)
{
    testsupport::CScriptedDialogs dialogs;
    CRecordStore store;
    loggertest::AddGroup(store, 1, 5, 40.0, 1.0, "dBA", 0);
    loggertest::AddGroup(store, 2, 10, 60.0, 1.0, "dBC", 10);
    CDataLogDlg dlg(nullptr, store);
    QTemporaryDir dir;
    dialogs.savePath = dir.filePath("group.pdf");
    QAction* report = FindById<QAction>(&dlg, 32834);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->text(), "Report PDF(&R)");

    report->trigger();   // nothing selected: nothing asked, nothing written
    EXPECT_TRUE(dialogs.saveAsked.isEmpty());

    dlg.OnGroupDoubleClicked(1);
    report->trigger();
    ASSERT_EQ(dialogs.saveAsked.size(), 1);
    EXPECT_TRUE(dialogs.saveAsked[0].endsWith(".pdf|pdf|PDF files (*.pdf)")) << dialogs.saveAsked[0].toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    const std::vector<std::string> pages = reporttest::PdfPages(dir.filePath("group.pdf").toStdString());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(reporttest::Row(pages[0], {"LCeq", "60.5", "dB"}), "") << pages[0];
    EXPECT_NE(reporttest::Row(pages[0], {"Count", "10"}), "") << pages[0];
    EXPECT_NE(reporttest::Row(pages[0], {"Data logger group 2"}), "") << pages[0];
    EXPECT_EQ(pages[0].find("LAeq"), std::string::npos);
}

// Export CSV and Report PDF of a long group in the data-logger window: the
// progress dialog comes up, and its Cancel leaves the file that was there
// byte for byte, with no temporary file beside it and no message.
TEST(ReportWindow, CancelInTheProgressOfExportCsvOrReportPdfKeepsTheOldFile)
{
    constexpr int kRecords = 600000;   // some seconds of work here, well beyond the dialog's delay
    testsupport::CScriptedDialogs dialogs;
    CRecordStore store;
    loggertest::AddGroup(store, 1, kRecords);
    CDataLogDlg dlg(nullptr, store);
    dlg.OnGroupDoubleClicked(0);
    testsupport::CCancelProgress cancel;
    for (const auto& [command, name] : {std::pair{32833, "levels.csv"}, {32834, "report.pdf"}}) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        dialogs.savePath = dir.filePath(name);
        const QByteArray old = "the earlier contents\r\n";
        {
            QFile f(dialogs.savePath);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
        }
        cancel.Start();
        FindById<QAction>(&dlg, command)->trigger();
        cancel.Stop();
        EXPECT_TRUE(cancel.Pressed()) << "the progress dialog never came up";
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
        QFile f(dialogs.savePath);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().toStdString(), old.toStdString());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{name});
    }
}
