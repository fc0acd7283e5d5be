#include "graph/ColorSettingCommand.h"

#include "dialogs/Dialogs.h"
#include "graph/DlgColorSet.h"
#include "graph/GraphicsBtn.h"

using namespace sonivel;

bool RunColorSetting(QWidget* view, CGraphicsBtn& chart)
{
    CDlgColorSet dlg(view);
    dlg.m_clrBackground = chart.m_clrBackground;
    dlg.m_clrGrid = chart.m_clrGrid;
    dlg.m_clrLine = chart.m_clrLine;
    dlg.UpdateSwatches();
    const bool ok = Dialogs().Exec(dlg) == QDialog::Accepted;
    if (ok) {
        chart.m_clrBackground = dlg.m_clrBackground;
        chart.m_clrGrid = dlg.m_clrGrid;
        chart.m_clrLine = dlg.m_clrLine;
        chart.Redraw(chart.RecordList(), 1);
        const std::string path = ColorSettingsPath();
        if (!WriteColorSettings(path, {chart.m_clrBackground, chart.m_clrGrid, chart.m_clrLine})) {
            // The chart keeps the new colours; tell the user they will not survive a restart.
            Dialogs().Message(view,
                              QStringLiteral("Cannot save the colours to \"%1\". The chart keeps them until "
                                             "Sonivel is closed.")
                                  .arg(QString::fromLocal8Bit(path.c_str())),
                              QStringLiteral("ERROR"), IDialogs::Icon::Warning);
        }
    }
    if (view)
        view->update();
    return ok;
}
