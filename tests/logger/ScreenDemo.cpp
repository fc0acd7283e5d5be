// Shows the data-logger window with a selected group, or the download's
// progress dialog, filled with made-up recordings, for screenshots:
//   logger_screen_demo window|progress
#include <cmath>

#include <QApplication>
#include <QTableView>
#include <QTimer>

#include "common/Text.h"
#include "logger/DataLogDlg.h"
#include "logger/LogState.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("window");
    CRecordStore store;
    const int sizes[] = {120, 45, 600, 8};
    const double rates[] = {1.0, 2.0, 0.5, 10.0};
    for (int g = 0; g < 4; ++g)
        for (int i = 0; i < sizes[g]; ++i) {
            const int s = 9 * 3600 + 30 * 60 + g * 3600 + static_cast<int>(i * rates[g]);
            const double level = 62.0 + 8.0 * std::sin(i / 9.0) + 3.0 * std::sin(i / 2.3) + g * 4;
            store.Add(CObjData(std::round(level * 10) / 10,
                                                 sonivel::Format("05-12-2011,%d:%.2d:%.2d", s / 3600, s / 60 % 60, s % 60),
                                                 g % 2 ? "dBC" : "dBA", g + 1, rates[g]));
        }
    if (mode == QLatin1String("progress")) {
        QWidget owner;
        owner.resize(600, 300);
        owner.show();
        CLogState state(&owner);
        state.SetProgress(1200, 10, 470);
        state.show();
        state.move(owner.geometry().center() - state.rect().center());
        return app.exec();
    }
    CDataLogDlg dlg(nullptr, store);
    dlg.show();
    dlg.move(20, 20);
    QTimer::singleShot(300, &dlg, [&dlg] {
        dlg.OnGroupDoubleClicked(0);
        dlg.Form().list->selectRow(0);
    });
    return app.exec();
}
