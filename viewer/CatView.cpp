#include "CatView.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <vector>

#include "GraphTile.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "RecordQc.h"
#include "Resample.h"
#include "ViewerZone.h"

CCatView::CCatView(CRadviewDoc& doc, const CRadviewApp& app, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_app(app) {
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(&m_doc, &CRadviewDoc::updated, this, &CCatView::OnUpdate);
}

const QImage* CCatView::TileOf(const CRad& rad) const {
    auto it = m_tiles.find(&rad);
    return it == m_tiles.end() ? nullptr : &it->second;
}

unsigned CCatView::FlagsOf(const CRad& rad) const {
    auto it = m_flags.find(&rad);
    return it == m_flags.end() ? 0 : it->second;
}

void CCatView::OnUpdate(int hint) {
    LayoutGrid();
    if (hint == kHintRebuildTiles)
        RebuildTiles();
    else
        PruneTiles();
    viewport()->update();
}

void CCatView::LayoutGrid() {
    const CRsdData& data = m_doc.Data();
    m_layout.Layout(data.GetCount(), viewport()->width(),
                    rad::CatalogTileSize(m_app.Settings().catSize));
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_layout.TotalWidth() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(std::max(1, view.width() / 10));
    verticalScrollBar()->setRange(0, std::max(0, m_layout.TotalHeight() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(std::max(1, view.height() / 10));
}

namespace {

// The pictures kept at most: a day of records at the largest tile size, a tenth of what a
// crafted file of tens of thousands of empty records would ask. The rest are drawn when
// they come into view.
constexpr qsizetype kTileBudgetBytes = qsizetype{128} << 20;
// Longest stretch of background drawing between two turns of the event loop.
constexpr qint64 kFillSliceMs = 15;

qsizetype TileBytes(QSize tile) { return qsizetype{tile.width()} * tile.height() * 4; }

}  // namespace

void CCatView::RebuildTiles() {
    const CRsdData& data = m_doc.Data();
    m_tiles.clear();
    m_flags.clear();
    m_qc.emplace(data, ViewerZoneOf(data));
    m_tiles.reserve(static_cast<std::size_t>(
        std::min<qsizetype>(data.GetCount(), kTileBudgetBytes / TileBytes(TileSize()))));
    for (const auto& rad : data.m_arRad) rad->m_nSelect = 0;
    // Those in view at once; then, from the event loop, as many as the budget holds, so that
    // the window shows the file without waiting for the whole day, and scrolling through the
    // day later draws nothing.
    for (const int i : InView()) RenderTile(i);
    m_nNextFill = 0;
    QueueTileFill();
}

std::vector<int> CCatView::InView() const {
    const QRect visible(ScrollOffset(), viewport()->size());
    std::vector<int> shown;
    for (int i = 0; i < m_doc.Data().GetCount(); ++i)
        if (m_layout.RectOf(i).intersects(visible)) shown.push_back(i);
    return shown;
}

void CCatView::QueueTileFill() {
    if (m_bFillQueued) return;
    m_bFillQueued = true;
    QTimer::singleShot(0, this, &CCatView::FillSomeTiles);
}

void CCatView::FillSomeTiles() {
    m_bFillQueued = false;
    QElapsedTimer slice;
    slice.start();
    const CRsdData& data = m_doc.Data();
    for (; m_nNextFill < data.GetCount() && !OverBudget(1); ++m_nNextFill) {
        if (slice.elapsed() >= kFillSliceMs) {
            QueueTileFill();
            return;
        }
        if (!TileOf(data.GetAt(m_nNextFill))) RenderTile(m_nNextFill);
    }
}

QSize CCatView::TileSize() const { return rad::CatalogTileSize(m_app.Settings().catSize); }

bool CCatView::OverBudget(std::size_t more) const {
    return static_cast<qsizetype>(m_tiles.size() + more) * TileBytes(TileSize()) > kTileBudgetBytes;
}

const QImage& CCatView::RenderTile(int index) {
    const CRsdData& data = m_doc.Data();
    const CRad& rad = data.GetAt(index);
    m_spectrum.Resample(data, index);
    if (!m_qc) m_qc.emplace(data, ViewerZoneOf(data));
    try {
        m_flags[&rad] = m_qc->Flags(data, index, m_spectrum.GetPPFD());
    } catch (const std::invalid_argument&) {
        m_flags[&rad] = 0;  // a record time without a local form: no sun to judge by
    }
    return m_tiles[&rad] =
               rad::RenderCatalogTile(TileSize(), m_spectrum, m_app.Settings().graph, rad.m_time);
}

void CCatView::PruneTiles() {
    const CRsdData& data = m_doc.Data();
    if (m_tiles.size() <= static_cast<std::size_t>(data.GetCount())) return;
    std::unordered_map<const CRad*, QImage> kept;
    std::unordered_map<const CRad*, unsigned> keptFlags;
    for (const auto& rad : data.m_arRad) {
        auto it = m_tiles.find(rad.get());
        if (it != m_tiles.end()) kept.emplace(rad.get(), std::move(it->second));
        keptFlags.emplace(rad.get(), FlagsOf(*rad));
    }
    m_tiles.swap(kept);
    m_flags.swap(keptFlags);
}

QPoint CCatView::ScrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

int CCatView::HitTest(QPoint viewportPoint) const {
    const QPoint p = viewportPoint + ScrollOffset();
    return m_layout.HitTest(p.x(), p.y(), m_doc.Data().GetCount());
}

void CCatView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.translate(-ScrollOffset());
    const CRsdData& data = m_doc.Data();
    const std::vector<int> shown = InView();
    std::size_t missing = 0;  // pictures in view not drawn yet
    for (const int i : shown) missing += TileOf(data.GetAt(i)) ? 0 : 1;
    if (missing > 0 && OverBudget(missing)) {
        // Only the pictures in view are kept; the others are drawn again when needed.
        std::unordered_map<const CRad*, QImage> kept;
        for (const int i : shown) {
            auto it = m_tiles.find(&data.GetAt(i));
            if (it != m_tiles.end()) kept.emplace(it->first, std::move(it->second));
        }
        m_tiles.swap(kept);
    }
    for (const int i : shown) {
        const QRect rect = m_layout.RectOf(i);
        const CRad& rad = data.GetAt(i);
        const QImage* tile = TileOf(rad);
        if (!tile) tile = &RenderTile(i);
        if (rad.m_nSelect & 1) {
            // White XOR picture: the tile in inverted colours.
            QImage inverted = *tile;
            inverted.invertPixels();
            painter.drawImage(rect.topLeft(), inverted);
        } else {
            painter.drawImage(rect.topLeft(), *tile);
        }
        DrawFlagMarker(painter, rect, FlagsOf(rad));
    }
}

void CCatView::DrawFlagMarker(QPainter& painter, const QRect& tile, unsigned flags) const {
    if ((flags & rad::kQcFaults) == 0) return;
    const int size = std::max(6, tile.height() / 12);
    const QPoint corner = tile.topRight() + QPoint(-2, 2);
    const QPolygon triangle({corner, corner - QPoint(size, 0), corner + QPoint(0, size)});
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd0, 0x30, 0x20));
    painter.drawPolygon(triangle);
    painter.restore();
}

void CCatView::ShowFlagsTip(const QHelpEvent& event) {
    const int index = HitTest(event.pos());
    const unsigned flags = index >= 0 ? FlagsOf(m_doc.Data().GetAt(index)) : 0;
    if (flags == 0) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event.globalPos(), QString::fromStdString(rad::QcNames(flags)), viewport());
}

bool CCatView::viewportEvent(QEvent* event) {
    // The grid follows the viewport, which the scroll area sizes after its own resize.
    if (event->type() == QEvent::Resize) LayoutGrid();
    if (event->type() == QEvent::ToolTip) {
        ShowFlagsTip(static_cast<const QHelpEvent&>(*event));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CCatView::mousePressEvent(QMouseEvent* event) {
    const int hit = HitTest(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        ClickMode mode = ClickMode::Plain;
        if (event->modifiers() & Qt::ControlModifier)
            mode = ClickMode::Toggle;
        else if (event->modifiers() & Qt::ShiftModifier)
            mode = ClickMode::Range;
        Select(hit, mode);
    } else if (event->button() == Qt::RightButton && hit >= 0 &&
               !(m_doc.Data().GetAt(hit).m_nSelect & 1)) {
        // The context menu acts on the tile under the pointer; a selection it is part of stays.
        Select(hit, ClickMode::Plain);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CCatView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Home && key != Qt::Key_End) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int target =
        CatalogJumpTarget(m_layout, m_doc.Data().GetCount(), m_nAnchor, key == Qt::Key_End,
                          event->modifiers() & Qt::ControlModifier);
    if (target < 0) return;
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && m_nAnchor >= 0;
    Select(target, extend ? ClickMode::Range : ClickMode::Plain);
}

void CCatView::Select(int index, ClickMode mode) {
    ApplyCatalogClick(m_doc.Data(), index, mode, m_nAnchor);
    if (index >= 0) {
        const QRect rect = m_layout.RectOf(index);
        const QRect visible(ScrollOffset(), viewport()->size());
        if (rect.top() < visible.top() || rect.bottom() > visible.bottom())
            verticalScrollBar()->setValue(rect.bottom() > visible.bottom()
                                              ? rect.bottom() + 1 - visible.height()
                                              : rect.top());
    }
    m_doc.UpdateAllViews(kHintRedraw);
}

void CCatView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && HitTest(event->position().toPoint()) >= 0) {
        m_doc.ShowSelected();
        emit switchRequested(1);
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CCatView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
}
