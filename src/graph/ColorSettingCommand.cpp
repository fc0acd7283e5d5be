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
        WriteColorSettings(ColorSettingsPath(), {chart.m_clrBackground, chart.m_clrGrid, chart.m_clrLine});
        chart.Redraw(chart.RecordList(), 1);
    }
    if (view)
        view->update();
    return ok;
}
