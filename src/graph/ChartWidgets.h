#pragma once
#include <Qt>

class QGroupBox;
class QPushButton;
class QScrollBar;
class QWidget;

// Ready-made parent-side controls of a chart, each carrying its resource id
// (ChartIds.h), for the windows that show a chart. Each function creates the
// controls as children of parent; the caller places the returned widget.
// Bind them afterwards with CChartParent.

// Group box 1061 "Cursor": labels "CursorA" (1030) and "CursorB" (1031) in the
// cursor line colours, read-only fields 1004/1011 (A: level, time), 1023/1024
// (B), 1025/1026 ("Max.Between A and B"), 1027/1028 ("Min.Between A and B"),
// 1029 ("Average.Between A and B") and 1032 ("Quantity.Between A and B").
QGroupBox* CreateCursorGroup(QWidget* parent);

// Group box "Indication": "Value:" field 1033 with the unit label "dB" and
// "Time:" field 1034.
QGroupBox* CreateIndicationGroup(QWidget* parent);

// The eleven hidden level statics 1012 (bottom) to 1022 (top).
void CreateLevelStatics(QWidget* parent);

// Scroll bar 1039 (vertical) or 1038 (horizontal).
QScrollBar* CreateChartScrollBar(QWidget* parent, Qt::Orientation orientation);

// Button 1000 "UnDo Zoom".
QPushButton* CreateUndoZoomButton(QWidget* parent);
