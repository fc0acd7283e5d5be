#pragma once

class CGraphicsBtn;
class QAction;
class QComboBox;
class QDialog;
class QMenuBar;
class QTableView;

// The controls of the data-logger window (dialog 145), each carrying its
// resource id: menu 147, group list 1035, the statistics boxes 1001-1009, the
// chart 1010 in "Real Time Graph" with its scroll bars 1039/1038, "UnDo Zoom"
// 1000, the cursor and indication boxes and the hidden level statics.
struct SDataLogForm {
    QMenuBar* menu = nullptr;
    QAction* importData = nullptr;     // 32781
    QAction* exportExcel = nullptr;    // 32813
    QAction* exportCsv = nullptr;      // 32833
    QAction* saveSelected = nullptr;   // 32793
    QAction* printGraph = nullptr;     // 32794
    QAction* printData = nullptr;      // 32795
    QAction* reportPdf = nullptr;      // 32834
    QAction* noiseStats = nullptr;     // 32835
    QTableView* list = nullptr;        // 1035
    QComboBox* rate = nullptr;         // 1007
    CGraphicsBtn* graph = nullptr;     // 1010
};

// Builds the window's controls and layout inside dlg and sets its colours.
SDataLogForm BuildDataLogForm(QDialog* dlg);

// The ids of the statistics boxes of the selected group.
namespace logid {
inline constexpr int kStartTime = 1001;
inline constexpr int kMaxValue = 1002;
inline constexpr int kMaxTime = 1003;
inline constexpr int kAverage = 1005;
inline constexpr int kMinTime = 1006;
inline constexpr int kRate = 1007;
inline constexpr int kMinValue = 1008;
inline constexpr int kCount = 1009;
inline constexpr int kGroupList = 1035;
} // namespace logid
