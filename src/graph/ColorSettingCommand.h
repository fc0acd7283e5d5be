#pragma once

class CGraphicsBtn;
class QWidget;

// The "Color Setting" command of the main view: the colour dialog starts with
// the chart's colours; on OK the chart takes the chosen ones, all nine keys
// of the colour settings file are written (a failed write is not reported:
// the chart keeps the colours until the program ends) and the chart is
// redrawn. Cancel changes nothing. Returns true for OK.
bool RunColorSetting(QWidget* view, CGraphicsBtn& chart);
