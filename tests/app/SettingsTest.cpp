// The settings that outlive the program, through the real main window, its
// view, the real file dialogs and real files in a configuration folder of the
// test's own.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "app/MenuTable.h"
#include "files/DataFile.h"
#include "graph/ColorSettings.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "monitor/MonitorRun.h"
#include "monitor/RTSetup.h"
#include "support/ScriptedDialogs.h"

using testsupport::CScriptedDialogs;

namespace {

// The program's configuration folder ($XDG_CONFIG_HOME) for one test.
class CConfigHome {
public:
    explicit CConfigHome(const QString& path) : m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", path.toLocal8Bit());
    }
    ~CConfigHome() { qputenv("XDG_CONFIG_HOME", m_old); }

private:
    QByteArray m_old;
};

// The real file dialogs, every other dialog scripted. whenFileDialog answers
// the file dialog on the screen (with the folder it opened in); nullptr
// cancels it.
class CRealFileDialogs final : public IDialogs {
public:
    CRealFileDialogs() { SetDialogs(this); }
    ~CRealFileDialogs() override { SetDialogs(nullptr); }

    void Message(QWidget* p, const QString& t, const QString& c, Icon i) override { scripted.Message(p, t, c, i); }
    bool AskOkCancel(QWidget* p, const QString& t, const QString& c) override { return scripted.AskOkCancel(p, t, c); }
    bool AskYesNo(QWidget* p, const QString& t, const QString& c) override { return scripted.AskYesNo(p, t, c); }
    QString SaveFileName(QWidget* p, const QString& n, const QString& s, const QString& f) override
    {
        Answer();
        return QtDialogs().SaveFileName(p, n, s, f);
    }
    QString OpenFileName(QWidget* p, const QString& n, const QString& s, const QString& f) override
    {
        Answer();
        return QtDialogs().OpenFileName(p, n, s, f);
    }
    bool ChooseColor(QWidget* p, QColor i, QColor* c) override { return scripted.ChooseColor(p, i, c); }
    bool SetupPrinter(QWidget* p, QPrinter* printer) override { return scripted.SetupPrinter(p, printer); }
    int Exec(QDialog& dialog) override { return scripted.Exec(dialog); }

    // The file to choose (empty: Cancel); the folder the dialog opened in.
    QString choose;
    QString openedIn;
    CScriptedDialogs scripted;   // installs itself first; the constructor then puts this set

private:
    // Answers the dialog once it runs its loop.
    void Answer()
    {
        openedIn.clear();
        auto* timer = new QTimer;
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [this, timer] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            timer->stop();
            timer->deleteLater();
            openedIn = dlg->directory().absolutePath();
            if (choose.isEmpty()) {
                dlg->reject();
                return;
            }
            dlg->selectFile(choose);
            static_cast<QDialog*>(dlg)->accept();   // as the dialog's own button does
        });
        timer->start();
    }
};

QString Folder(const QTemporaryDir& root, const QString& name)
{
    QDir(root.path()).mkpath(name);
    return root.path() + "/" + name;
}

void AddRecord(CMainFrame& frame)
{
    frame.View()->RTStore().Add(CObjData(61.5, "07-12-2026,05:09:03", "dBA", 0, 0.5));
}

void Show(CMainFrame& frame)
{
    frame.show();
    QApplication::processEvents();
}

// One setting: how the user changes it in the first window, and what the next
// window must show.
struct SSettingRow {
    const char* name;
    std::function<void(CMainFrame&, CRealFileDialogs&)> set;
    std::function<void(CMainFrame&, CRealFileDialogs&)> check;
};

// A file command whose dialog must start in folder the next time.
SSettingRow FolderRow(const char* name, int command, const QString& folder, const QString& file)
{
    return {name,
            [=](CMainFrame& frame, CRealFileDialogs& dialogs) {
                AddRecord(frame);
                dialogs.choose = folder + "/" + file;
                frame.Action(command)->trigger();
                EXPECT_TRUE(QFile::exists(folder + "/" + file));
            },
            [=](CMainFrame& frame, CRealFileDialogs& dialogs) {
                AddRecord(frame);
                dialogs.choose.clear();
                frame.Action(command)->trigger();
                EXPECT_EQ(dialogs.openedIn, folder);
            }};
}

TEST(SettingsTest, EverySettingComesBackInTheNextWindow)
{
    const QTemporaryDir config;
    const QTemporaryDir files;
    ASSERT_NE(config.path(), files.path());
    CConfigHome home(config.path());
    CRealFileDialogs dialogs;

    // A device for Com Port > Manual.
    int master = -1, slave = -1;
    char device[256] = {};
    ASSERT_EQ(openpty(&master, &slave, device, nullptr, nullptr), 0);
    const QString devicePath = QString::fromLocal8Bit(device);

    // A data file for Open, which shows it in the data-logger window.
    const QString openFolder = Folder(files, "opened");
    {
        CRecordStore store;
        store.Add(CObjData(70.1, "07-12-2026,05:09:03", "dBA", 1, 1.0));
        ASSERT_TRUE(sonivel::WriteDataFile((openFolder + "/groups.txt").toStdString(), store).ok);
    }
    const QRect mainPlace(40, 50, 900, 640);
    const QRect loggerPlace(120, 90, 1100, 700);   // above its smallest size

    const std::vector<SSettingRow> rows = {
        {"window geometry",
         [&](CMainFrame& frame, CRealFileDialogs&) {
             frame.showNormal();
             frame.setGeometry(mainPlace);
             QApplication::processEvents();
         },
         [&](CMainFrame& frame, CRealFileDialogs&) {
             EXPECT_TRUE(frame.GeometryRestored());
             EXPECT_EQ(frame.geometry(), mainPlace);
             EXPECT_FALSE(frame.isMaximized());
         }},
        {"tool bar switch",
         [](CMainFrame& frame, CRealFileDialogs&) { frame.Action(kIdToolBar)->trigger(); },
         [](CMainFrame& frame, CRealFileDialogs&) {
             EXPECT_FALSE(frame.Action(kIdToolBar)->isChecked());
             EXPECT_TRUE(frame.ToolBar()->isHidden());
         }},
        {"status bar switch",
         [](CMainFrame& frame, CRealFileDialogs&) { frame.Action(kIdStatusBar)->trigger(); },
         [](CMainFrame& frame, CRealFileDialogs&) {
             EXPECT_FALSE(frame.Action(kIdStatusBar)->isChecked());
             EXPECT_TRUE(frame.statusBar()->isHidden());
         }},
        {"Setup: record limit and sampling interval",
         [](CMainFrame& frame, CRealFileDialogs& d) {
             const std::uint8_t byte = 0;
             frame.View()->OnReceiveData(&byte, 1);   // Setup needs a live link
             d.scripted.exec = [](QDialog& dlg) {
                 FindById<QLineEdit>(&dlg, 1044)->setText("1234");
                 FindById<QComboBox>(&dlg, 1007)->setCurrentIndex(7);
                 dlg.accept();
                 return dlg.result();
             };
             frame.Action(32791)->trigger();
             d.scripted.exec = nullptr;
             frame.Action(32772)->trigger();   // Stop the run Setup started
         },
         [](CMainFrame& frame, CRealFileDialogs& d) {
             EXPECT_EQ(frame.View()->RecordLimit(), 1234);
             EXPECT_EQ(frame.View()->Form().rate->currentIndex(), 7);
             const std::uint8_t byte = 0;
             frame.View()->OnReceiveData(&byte, 1);
             int shownRate = -1;
             QString shownLimit;
             d.scripted.exec = [&](QDialog& dlg) {
                 shownRate = FindById<QComboBox>(&dlg, 1007)->currentIndex();
                 shownLimit = FindById<QLineEdit>(&dlg, 1044)->text();
                 return int(QDialog::Rejected);
             };
             frame.Action(32791)->trigger();
             d.scripted.exec = nullptr;
             EXPECT_EQ(shownRate, 7);
             EXPECT_EQ(shownLimit, "1234");
         }},
        {"Data List instead of the Graph",
         [](CMainFrame& frame, CRealFileDialogs&) { FindById<QPushButton>(frame.View(), 1060)->click(); },
         [](CMainFrame& frame, CRealFileDialogs&) { EXPECT_TRUE(frame.View()->IsListShown()); }},
        {"manual port",
         [&](CMainFrame& frame, CRealFileDialogs& d) {
             d.scripted.exec = [&](QDialog& dlg) {
                 FindById<QLineEdit>(&dlg, 1063)->setText(devicePath);
                 dlg.accept();
                 return dlg.result();
             };
             frame.Action(32815)->trigger();
             d.scripted.exec = nullptr;
         },
         [&](CMainFrame& frame, CRealFileDialogs&) {
             EXPECT_FALSE(frame.View()->IsAutoPort());
             EXPECT_TRUE(frame.Action(32815)->isChecked());
             EXPECT_EQ(frame.View()->Settings().manualPort, devicePath.toStdString());
         }},
        FolderRow("Save folder", 32786, Folder(files, "saved"), "run.txt"),
        FolderRow("Export To Excel folder", 32785, Folder(files, "excel"), "run.xls"),
        FolderRow("Export CSV folder", 32830, Folder(files, "csv"), "run.csv"),
        FolderRow("Report PDF folder", 32831, Folder(files, "pdf"), "run.pdf"),
        {"Open folder and the data-logger window's place",
         [&](CMainFrame& frame, CRealFileDialogs& d) {
             d.choose = openFolder + "/groups.txt";
             frame.Action(32790)->trigger();
             auto* logger = frame.findChild<CDataLogDlg*>();
             ASSERT_NE(logger, nullptr);
             logger->setGeometry(loggerPlace);
             QApplication::processEvents();
             ASSERT_EQ(logger->geometry(), loggerPlace);
             logger->close();
         },
         [&](CMainFrame& frame, CRealFileDialogs& d) {
             d.choose = openFolder + "/groups.txt";
             frame.Action(32790)->trigger();
             EXPECT_EQ(d.openedIn, openFolder);
             auto* logger = frame.findChild<CDataLogDlg*>();
             ASSERT_NE(logger, nullptr);
             EXPECT_EQ(logger->geometry(), loggerPlace);
         }},
    };

    {
        CMainFrame first(SViewOptions{QString(), false});
        Show(first);
        for (const SSettingRow& row : rows) {
            SCOPED_TRACE(row.name);
            row.set(first, dialogs);
        }
        dialogs.scripted.answerOk = true;   // "Close Window?" with records held
        first.close();
    }
    CMainFrame next(SViewOptions{QString(), false});
    Show(next);
    for (const SSettingRow& row : rows) {
        SCOPED_TRACE(row.name);
        row.check(next, dialogs);
    }
    next.View()->RTStore().RemoveAll();
    ::close(slave);
    ::close(master);
}

// What a broken settings file may be, made in the configuration folder.
struct SBrokenRow {
    const char* name;
    std::function<void(const QString& folder)> make;
};

TEST(SettingsTest, BrokenSettingsFileStartsWithDefaultsAndKeepsTheColours)
{
    const sonivel::SChartColors colors{sonivel::Rgb(1, 2, 3), sonivel::Rgb(4, 5, 6), sonivel::Rgb(7, 8, 9)};
    const auto writeFile = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const std::vector<SBrokenRow> rows = {
        {"garbage", [&](const QString& folder) {
             QByteArray bytes;
             for (int i = 0; i < 4096; ++i)
                 bytes.append(char((i * 7919) % 256));
             writeFile(folder + "/Sonivel.conf", "[View]\nSampleRateIndex=\x01\xff\n[[[\n=\n" + bytes);
         }},
        {"values out of range", [&](const QString& folder) {
             writeFile(folder + "/Sonivel.conf",
                       "[View]\nSampleRateIndex=10\nRecordLimit=10000000\nDataListShown=maybe\n"
                       "[Port]\nAutomatic=false\nManual=/dev/ttyUSB-gone-away\n"
                       "[Window]\nToolBar=0\nGeometry=@ByteArray(nonsense)\nState=12\n");
         }},
        {"folder in its place", [](const QString& folder) { QDir(folder).mkpath("Sonivel.conf/inside"); }},
        {"pipe in its place",
         [](const QString& folder) { ASSERT_EQ(::mkfifo((folder + "/Sonivel.conf").toLocal8Bit(), 0600), 0); }},
        {"too big", [&](const QString& folder) {
             writeFile(folder + "/Sonivel.conf", "[View]\nRecordLimit=5\n" + QByteArray(200 * 1024, '#'));
         }},
        {"link into a folder nobody can write",
         [](const QString& folder) {
             ASSERT_TRUE(QFile::link("/proc/self/no-such-folder/Sonivel.conf", folder + "/Sonivel.conf"));
         }},
        {"read-only folder", [](const QString& folder) { ::chmod(folder.toLocal8Bit(), 0555); }},
    };
    for (const SBrokenRow& row : rows) {
        SCOPED_TRACE(row.name);
        const QTemporaryDir config;
        CConfigHome home(config.path());
        const QString folder = config.path() + "/Sonivel";
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(sonivel::WriteColorSettings(sonivel::ColorSettingsPath(), colors));
        QFile colorFile(QString::fromStdString(sonivel::ColorSettingsPath()));
        ASSERT_TRUE(colorFile.open(QIODevice::ReadOnly));
        const QByteArray colorBytes = colorFile.readAll();
        colorFile.close();
        row.make(folder);

        CScriptedDialogs dialogs;
        for (int window = 0; window < 2; ++window) {
            CMainFrame frame(SViewOptions{QString(), false});
            Show(frame);
            if (window == 0) {
                EXPECT_FALSE(frame.GeometryRestored());
                EXPECT_EQ(frame.View()->Form().rate->currentIndex(), sonivel::kDefaultRateIndex);
                EXPECT_EQ(frame.View()->RecordLimit(), kDefaultRecordLimit);
                EXPECT_FALSE(frame.View()->IsListShown());
                EXPECT_TRUE(frame.View()->IsAutoPort());
                EXPECT_TRUE(frame.Action(32816)->isChecked());
                EXPECT_FALSE(frame.ToolBar()->isHidden());
                EXPECT_FALSE(frame.statusBar()->isHidden());
            }
            EXPECT_EQ(frame.View()->Graph()->m_clrBackground, colors.background);
            // Changes are written (or fail to be) as they happen and on close.
            frame.Action(kIdStatusBar)->trigger();
            frame.View()->Form().rate->setCurrentIndex(4);
            frame.close();
        }
        EXPECT_TRUE(colorFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(colorFile.readAll(), colorBytes);
        ::chmod(folder.toLocal8Bit(), 0755);
    }
}

} // namespace
