#pragma once
#include <QDialog>

#include "graph/ColorSettings.h"

class QLabel;

// Dialog 160 "ColorSetting": the chart's three user colours, each with a
// swatch and a "..." button that opens the colour dialog (starting from
// black). Holds a working copy that only OK returns to the caller.
class CDlgColorSet : public QDialog {
    Q_OBJECT
public:
    explicit CDlgColorSet(QWidget* parent = nullptr);

    sonivel::Colorref m_clrLine = 0;
    sonivel::Colorref m_clrBackground = 0;
    sonivel::Colorref m_clrGrid = 0;

    // Paints the swatches in the members' colours (after setting them).
    void UpdateSwatches();

private:
    // "..." of the colour held in member: the colour dialog from black; on OK
    // the chosen colour is stored and its swatch repainted.
    void ChooseInto(sonivel::Colorref& member);

    QLabel* m_pGridSwatch;
    QLabel* m_pLineSwatch;
    QLabel* m_pBackgroundSwatch;
};
