#pragma once
#include <QFont>
#include <QRect>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableView;
class QWidget;
class CMeterPanel;

// The controls of the main view's form (dialog 101), created on a parent
// widget at their template positions, where a text needs more room in the font
// in use widened and the controls after it moved along. Every control carries
// its resource id.
struct SViewForm {
    CMeterPanel* panel = nullptr;       // the meter strip with keys 1049..1054
    QWidget* graphSlot = nullptr;       // 1010 (the place the graph takes)
    QScrollBar* vbar = nullptr;         // 1039
    QScrollBar* hbar = nullptr;         // 1038
    QGroupBox* graphGroup = nullptr;    // 1058 "Real Time Graph"
    QGroupBox* cursorGroup = nullptr;   // 1061 "Cursor"
    QTableView* list = nullptr;         // 1037, hidden at first
    QPushButton* undoZoom = nullptr;    // 1000
    QPushButton* showGraph = nullptr;   // 1059
    QPushButton* showList = nullptr;    // 1060
    QComboBox* rate = nullptr;          // 1007
    QLabel* cursorA = nullptr;          // 1030
    QLabel* cursorB = nullptr;          // 1031
};

// The form's font: the application's font family at 9 points (the program
// prefers a face of Arial's proportions, see CMyKovaApp).
QFont FormFont();

// Dialog units of the form's 9-point font to pixels.
QRect DialogRect(int x, int y, int w, int h);

// The form's size in pixels: 545 x 365 dialog units, wider when the controls
// need more room in FormFont().
QSize FormSize();

// Creates the form's controls on view (the graph slot is a plain widget until
// the graph control replaces it).
SViewForm BuildViewForm(QWidget* view);

// The form's colours (formlook::ApplyFormColours): background red 170, green
// 175, blue 195 with black texts for the form and its labels, group boxes and
// buttons, whatever the desktop's palette; the sampling-rate combo box's grey.
// "CursorA" and "CursorB" wear the cursor colours from BuildViewForm.
void ApplyViewColours(QWidget* view);
