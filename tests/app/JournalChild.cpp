// The program as a child process for the journal tests: the real application
// (CMyKovaApp, its frame, view, signal handling and journal in
// $XDG_STATE_HOME) on the simulator's device named by --port, with its
// dialogs answered by a script, because an offscreen program has nobody to
// click. It starts a run at 0.1 s and prints each record's data line on
// standard output once the view has taken it (journal included), then runs
// until a signal ends it. Every question it is asked goes to standard error
// and is answered Cancel / No, so a close question would keep it running.
#include <cstdio>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/MainFrame.h"
#include "app/MyKovaApp.h"
#include "files/DataFile.h"
#include "support/ScriptedDialogs.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    CMyKovaApp app(argc, argv);
    testsupport::CScriptedDialogs dialogs;
    dialogs.answerOk = false;
    dialogs.answerYes = false;
    if (!app.InitInstance(ParseCommandLine(QCoreApplication::arguments())))
        return 2;
    CMyKovaView& view = *app.MainFrame()->View();
    dialogs.exec = [](QDialog& dlg) {   // Setup: 40000 records at 0.1 s, Start
        FindById<QComboBox>(&dlg, 1007)->setCurrentIndex(0);
        QTest::mouseClick(FindById<QPushButton>(&dlg, 1), Qt::LeftButton);
        return dlg.result();
    };
    std::size_t printed = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!view.IsRunActive() && view.IsLinkAlive() && printed == 0)
            view.OnCommand(32791);
        const CRecordStore& store = view.RTStore();
        for (; printed < store.GetSize(); ++printed) {
            const std::string line = sonivel::FormatDataRecordLine(store.GetAt(printed));
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
        std::fflush(stdout);
        for (const QString& q : dialogs.questions)
            std::fprintf(stderr, "question: %s\n", qPrintable(q));
        dialogs.questions.clear();
    });
    poll.start(10);
    return app.exec();
}
