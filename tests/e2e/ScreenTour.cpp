// A guided tour of the program for the screenshots and a first-use check of
// every menu command: run under an X server with SONIVEL_PORT naming a meter
// (or the simulator). Each picture is taken of the whole screen with
// ImageMagick's import; message boxes and questions are answered here and
// printed, modal dialogs are shown for real and closed by the script.
//   e2e_screen_tour OUTPUT_DIR
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/MainFrame.h"
#include "app/MyKovaApp.h"
#include "dialogs/Dialogs.h"
#include "logger/DataLogDlg.h"

namespace {

QString g_dir;

void Shot(const QString& name)
{
    QTest::qWait(400);
    QProcess::execute(QStringLiteral("import"), {"-window", "root", g_dir + "/" + name + ".png"});
    std::printf("shot %s\n", qPrintable(name));
    std::fflush(stdout);
}

class CTourDialogs final : public IDialogs {
public:
    void Message(QWidget*, const QString& text, const QString& caption, Icon) override
    {
        std::printf("  message [%s] %s\n", qPrintable(caption), qPrintable(text));
    }
    bool AskOkCancel(QWidget*, const QString& text, const QString& caption) override
    {
        std::printf("  question [%s] %s -> %s\n", qPrintable(caption), qPrintable(text), answerOk ? "OK" : "Cancel");
        return answerOk;
    }
    bool AskYesNo(QWidget*, const QString& text, const QString& caption) override
    {
        std::printf("  question [%s] %s -> No\n", qPrintable(caption), qPrintable(text));
        return false;
    }
    QString SaveFileName(QWidget*, const QString& initial, const QString&, const QString& filter) override
    {
        std::printf("  save dialog '%s' (%s) -> %s\n", qPrintable(initial), qPrintable(filter), qPrintable(savePath));
        return savePath;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString& filter) override
    {
        std::printf("  open dialog (%s) -> %s\n", qPrintable(filter), qPrintable(openPath));
        return openPath;
    }
    bool ChooseColor(QWidget*, QColor initial, QColor* chosen) override
    {
        std::printf("  colour dialog from %s -> cancel\n", qPrintable(initial.name()));
        (void)chosen;
        return false;
    }
    bool SetupPrinter(QWidget*, QPrinter* printer) override
    {
        std::printf("  print dialog -> %s\n", qPrintable(pdfPath));
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return true;
    }
    int Exec(QDialog& dialog) override
    {
        std::printf("  dialog \"%s\"\n", qPrintable(dialog.windowTitle()));
        std::fflush(stdout);
        QTimer::singleShot(900, &dialog, [this, &dialog] {
            if (during)
                during(dialog);
            else
                dialog.reject();
        });
        return dialog.exec();
    }

    bool answerOk = true;
    QString savePath, openPath, pdfPath;
    std::function<void(QDialog&)> during;   // none: the dialog is closed with Cancel/Esc
};

} // namespace

int main(int argc, char** argv)
{
    // The tour shows the windows as they first come, whatever the user has set.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    CMyKovaApp app(argc, argv);
    g_dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    CTourDialogs dialogs;
    SetDialogs(&dialogs);
    if (!app.InitInstance())
        return 1;
    CMainFrame* frame = app.MainFrame();
    CMyKovaView* view = frame->View();
    auto menu = [frame](int id) {
        std::printf("menu %d %s (enabled %d)\n", id, qPrintable(frame->Action(id)->text()),
                    frame->Action(id)->isEnabled() ? 1 : 0);
        std::fflush(stdout);
        frame->Action(id)->trigger();
        QTest::qWait(300);
    };

    QTest::qWait(3000);
    Shot("main-live");

    dialogs.during = [](QDialog& dlg) {
        FindById<QComboBox>(&dlg, 1007)->setCurrentIndex(0);
        QTest::qWait(1200);   // the dialog's own timer shows the cycle
        Shot("setup-dialog");
        FindById<QPushButton>(&dlg, 1)->click();
    };
    menu(32791);
    dialogs.during = nullptr;
    std::printf("  running %d\n", view->IsRunActive());
    QTest::qWait(20000);
    Shot("main-run-graph");
    view->OnCommand(1060);
    Shot("main-data-list");
    menu(32771);   // Run is greyed while running
    menu(32773);
    menu(32791);
    menu(32772);
    view->OnCommand(1059);
    std::printf("  records %zu\n", view->RTStore().GetSize());

    dialogs.pdfPath = g_dir + "/print-graph.pdf";
    menu(32802);
    dialogs.pdfPath = g_dir + "/print-data.pdf";
    menu(32796);
    dialogs.savePath = g_dir + "/run.txt";
    menu(32786);
    dialogs.savePath = g_dir + "/run.xls";
    menu(32785);

    dialogs.during = [](QDialog& dlg) {
        Shot("tour-port-dialog");
        dlg.accept();
    };
    menu(32815);   // Manual: the dialog offers the current port
    menu(32816);   // Auto
    QTest::qWait(2500);
    std::printf("  link alive %d\n", view->IsLinkAlive());
    menu(59392);
    menu(59392);
    menu(59393);
    menu(59393);
    dialogs.during = [](QDialog& dlg) {
        Shot("tour-color-setting");
        dlg.reject();
    };
    menu(32817);
    menu(32799);
    dialogs.during = [](QDialog& dlg) {
        Shot("tour-about");
        dlg.accept();
    };
    menu(57664);

    dialogs.during = [](QDialog&) {};   // the progress dialog closes itself
    menu(32780);
    auto* logDlg = frame->findChild<CDataLogDlg*>();
    std::printf("  data-logger window %s, groups %zu\n", logDlg ? "open" : "missing",
                logDlg ? logDlg->Rows().size() : 0u);
    if (logDlg) {
        logDlg->OnGroupDoubleClicked(0);
        Shot("datalogger-after-download");
        auto logMenu = [logDlg](int id) {
            QAction* a = FindById<QAction>(logDlg, id);
            std::printf("logger menu %d %s\n", id, a ? qPrintable(a->text()) : "(missing)");
            std::fflush(stdout);
            if (a)
                a->trigger();
            QTest::qWait(300);
        };
        dialogs.savePath = g_dir + "/group.xls";
        logMenu(32813);
        dialogs.savePath = g_dir + "/group.txt";
        logMenu(32793);
        dialogs.pdfPath = g_dir + "/logger-graph.pdf";
        logMenu(32794);
        dialogs.pdfPath = g_dir + "/logger-data.pdf";
        logMenu(32795);
        dialogs.openPath = g_dir + "/group.txt";
        logMenu(32781);
        std::printf("  groups after import %zu\n", logDlg->Rows().size());
        Shot("tour-datalogger-import");
    }
    dialogs.openPath = g_dir + "/run.txt";
    menu(32790);
    Shot("tour-open");

    dialogs.answerOk = false;
    menu(32788);
    std::printf("  still open after Cancel: %d\n", frame->isVisible());
    dialogs.answerOk = true;
    menu(32788);
    QTimer::singleShot(1000, &app, &QApplication::quit);
    const int rc = app.exec();
    SetDialogs(nullptr);
    return rc;
}
