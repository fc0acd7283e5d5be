#pragma once
#include <array>
#include <vector>

#include <QDialog>
#include <QString>

#include "acoustics/FigureTexts.h"

class QLabel;
class QGroupBox;
class QTabWidget;
class QTableWidget;

// The ids of the Noise Statistics window's controls: span s (0, 1), weighting
// slot w (0, 1) in the order the span's weightings first appear.
namespace noiseid {
inline constexpr int kWindow = 400;
inline constexpr int kTabs = 401;
inline constexpr int Page(int s) { return 402 + s; }
inline constexpr int Caption(int s) { return 404 + s; }
inline constexpr int Box(int s, int w) { return 406 + 2 * s + w; }
inline constexpr int Figures(int s, int w) { return 410 + 4 * s + 2 * w; }   // Figure | Value | Time
inline constexpr int Hourly(int s, int w) { return 411 + 4 * s + 2 * w; }    // Hour | LAeq | Records
} // namespace noiseid

// The Noise Statistics window: modeless, one tab per span, each with a line
// that says which records it covers and, per weighting, a box with the table
// of figures and the table of the hourly levels. It only shows texts; its
// owner (CNoiseStatistics) computes them and says when. Tables take the width
// their texts need in the font in use; a window too small for them scrolls.
// UI thread only.
class CNoiseStatsWnd : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSpans = 2;
    static constexpr int kWeightings = 2;

    // owner: the window it belongs to (deleted with it); titles of the tabs.
    CNoiseStatsWnd(QWidget* owner, const std::array<QString, kSpans>& titles);

    // Shows span s: its caption and the rows of each weighting (none: the
    // caption alone). A third weighting, which no record list holds, is left out.
    void ShowSpan(int s, const QString& caption, const std::vector<sonivel::SWeightingTexts>& weightings);

    // Makes the window as large as its tables want, within the screen; never
    // smaller than it is.
    void GrowToFit();

private:
    struct SSlot {
        QGroupBox* box = nullptr;
        QTableWidget* figures = nullptr;
        QTableWidget* hourly = nullptr;
    };
    struct SSpan {
        QLabel* caption = nullptr;
        std::array<SSlot, kWeightings> boxes;
        int shown = -1;   // weightings shown, -1 before the first ShowSpan
    };
    QWidget* BuildPage(int s);

    QTabWidget* m_pTabs = nullptr;
    std::array<SSpan, kSpans> m_spans;
};
