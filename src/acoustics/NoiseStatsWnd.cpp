#include "acoustics/NoiseStatsWnd.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/Dialogs.h"

namespace {

// The hourly table shows at least this many rows and scrolls for more; the
// table of figures shows all of its rows.
constexpr int kHourRowsShown = 12;
constexpr int kAllRows = 1 << 20;

// A scroll area that asks for the whole of its page, so the window opens
// showing everything when the screen has room (QScrollArea caps its hint).
class CPageScroll final : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        const QSize page = widget() ? widget()->sizeHint() : QSize();
        const int bar = verticalScrollBar()->sizeHint().width();
        return page + QSize(2 * frameWidth() + bar, 2 * frameWidth());
    }
};

QString Text(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

QTableWidget* Table(QWidget* parent, int id, const QStringList& heads, bool scrolls)
{
    auto* t = new QTableWidget(0, static_cast<int>(heads.size()), parent);
    SetResId(t, id);
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->hide();
    // Rows as high as a line of the font in use with a little air, not the
    // style's roomier default.
    t->verticalHeader()->setMinimumSectionSize(1);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setHighlightSections(false);
    t->horizontalHeader()->setStretchLastSection(false);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::ContiguousSelection);
    t->setWordWrap(false);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    return t;
}

void SetCell(QTableWidget* t, int row, int column, const std::string& text, bool right)
{
    const QString q = Text(text);
    QTableWidgetItem* item = t->item(row, column);
    if (!item) {
        item = new QTableWidgetItem(q);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(right ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
        t->setItem(row, column, item);
    } else if (item->text() != q) {
        item->setText(q);
    }
}

// Columns as wide as their heading and longest text in the font in use, the
// table as large as its columns and its first maxRows rows.
void FitTable(QTableWidget* t, int maxRows)
{
    t->resizeColumnsToContents();
    const int rows = t->rowCount();
    int height = t->horizontalHeader()->sizeHint().height() + 2 * t->frameWidth();
    for (int r = 0; r < std::min(rows, maxRows); ++r)
        height += t->rowHeight(r);
    int width = t->horizontalHeader()->length() + 2 * t->frameWidth();
    if (rows > maxRows)
        width += t->verticalScrollBar()->sizeHint().width();
    t->setFixedSize(width, height);
}

} // namespace

CNoiseStatsWnd::CNoiseStatsWnd(QWidget* owner, const std::array<QString, kSpans>& titles)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowCloseButtonHint)
{
    setModal(false);
    SetResId(this, noiseid::kWindow);
    setWindowTitle(QStringLiteral("Noise Statistics"));
    m_pTabs = new QTabWidget(this);
    SetResId(m_pTabs, noiseid::kTabs);
    for (int s = 0; s < kSpans; ++s)
        m_pTabs->addTab(BuildPage(s), titles[static_cast<std::size_t>(s)]);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    top->addWidget(m_pTabs);
}

QWidget* CNoiseStatsWnd::BuildPage(int s)
{
    SSpan& span = m_spans[static_cast<std::size_t>(s)];
    auto* scroll = new CPageScroll;
    SetResId(scroll, noiseid::Page(s));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);
    span.caption = new QLabel(page);
    SetResId(span.caption, noiseid::Caption(s));
    span.caption->setWordWrap(true);
    span.caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rows->addWidget(span.caption);
    for (int w = 0; w < kWeightings; ++w) {
        SSlot& slot = span.boxes[static_cast<std::size_t>(w)];
        slot.box = new QGroupBox(page);
        SetResId(slot.box, noiseid::Box(s, w));
        slot.figures = Table(slot.box, noiseid::Figures(s, w),
                             {QStringLiteral("Figure"), QStringLiteral("Value"), QStringLiteral("Time")}, false);
        slot.hourly = Table(slot.box, noiseid::Hourly(s, w),
                            {QStringLiteral("Hour"), QStringLiteral("Leq"), QStringLiteral("Records")}, true);
        auto* tables = new QHBoxLayout(slot.box);
        tables->addWidget(slot.figures, 0, Qt::AlignTop);
        tables->addWidget(slot.hourly, 0, Qt::AlignTop);
        tables->addStretch(1);
        slot.box->hide();
        rows->addWidget(slot.box);
    }
    rows->addStretch(1);
    scroll->setWidget(page);
    return scroll;
}

void CNoiseStatsWnd::ShowSpan(int s, const QString& caption, const std::vector<sonivel::SWeightingTexts>& weightings)
{
    if (s < 0 || s >= kSpans)
        return;
    SSpan& span = m_spans[static_cast<std::size_t>(s)];
    span.caption->setText(caption);
    const int count = static_cast<int>(std::min<std::size_t>(weightings.size(), kWeightings));
    for (int w = 0; w < kWeightings; ++w) {
        SSlot& slot = span.boxes[static_cast<std::size_t>(w)];
        if (w >= count) {
            slot.box->hide();
            continue;
        }
        const sonivel::SWeightingTexts& t = weightings[static_cast<std::size_t>(w)];
        slot.box->setTitle(Text(t.heading));
        slot.figures->setRowCount(static_cast<int>(t.figures.size()));
        for (int r = 0; r < slot.figures->rowCount(); ++r) {
            const sonivel::SFigureRow& row = t.figures[static_cast<std::size_t>(r)];
            SetCell(slot.figures, r, 0, row.name, false);
            SetCell(slot.figures, r, 1, row.value, true);
            SetCell(slot.figures, r, 2, row.time, false);
        }
        FitTable(slot.figures, kAllRows);
        slot.hourly->horizontalHeaderItem(1)->setText(Text(t.leqName));
        slot.hourly->setRowCount(static_cast<int>(t.hourly.size()));
        for (int r = 0; r < slot.hourly->rowCount(); ++r) {
            const sonivel::SHourRow& row = t.hourly[static_cast<std::size_t>(r)];
            SetCell(slot.hourly, r, 0, row.hour, false);
            SetCell(slot.hourly, r, 1, row.leq, true);
            SetCell(slot.hourly, r, 2, row.count, true);
        }
        // The hourly table is as tall as the figures beside it, or scrolls.
        FitTable(slot.hourly, std::max(kHourRowsShown, slot.figures->rowCount()));
        slot.hourly->setVisible(!t.hourly.empty());
        slot.box->show();
    }
    const bool grew = count > span.shown;
    span.shown = count;
    if (grew && isVisible())
        GrowToFit();
}

void CNoiseStatsWnd::GrowToFit()
{
    QSize want = sizeHint();
    if (const QScreen* sc = screen())
        want = want.boundedTo(sc->availableGeometry().size() * 9 / 10);
    if (want.width() > width() || want.height() > height())
        resize(size().expandedTo(want));
}
