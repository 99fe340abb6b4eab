#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <optional>
#include <unordered_map>
#include <vector>

#include "CatLayout.h"
#include "RecordQc.h"
#include "Resample.h"

class CRad;
class QHelpEvent;
class QPainter;
class CRadviewApp;
class CRadviewDoc;

// The tiled catalog: a cached picture per record (up to a memory budget; beyond it the
// pictures in view), selection by click, Ctrl and Shift.
class CCatView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    CCatView(CRadviewDoc& doc, const CRadviewApp& app, QWidget* parent = nullptr);

    const CCatLayout& Layout() const { return m_layout; }
    int Anchor() const { return m_nAnchor; }
    // The cached picture of a record; null when it has none.
    const QImage* TileOf(const CRad& rad) const;
    // The quality flags of a record whose picture was drawn (QcFlag bits), 0 otherwise.
    unsigned FlagsOf(const CRad& rad) const;
    // Record under a viewport point, or -1.
    int HitTest(QPoint viewportPoint) const;

    void OnUpdate(int hint);

  signals:
    void switchRequested(int mode);
    void contextMenuRequested(QPoint globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void LayoutGrid();
    void RebuildTiles();
    // The records whose tiles lie in the viewport.
    std::vector<int> InView() const;
    // Draws the pictures not drawn yet from the event loop, a slice at a time.
    void QueueTileFill();
    void FillSomeTiles();
    QSize TileSize() const;
    // True when more pictures would pass the budget.
    bool OverBudget(std::size_t more) const;
    // Draws the picture of record index into the cache.
    const QImage& RenderTile(int index);
    // Drops the pictures of records that were deleted.
    void PruneTiles();
    // The marker of a tile whose record carries a flag that says something is wrong.
    void DrawFlagMarker(QPainter& painter, const QRect& tile, unsigned flags) const;
    // The flags of the tile under the cursor as its tooltip.
    void ShowFlagsTip(const QHelpEvent& event);
    QPoint ScrollOffset() const;
    // A click on record index (-1 = none) with the keys held, the record scrolled into view.
    void Select(int index, ClickMode mode);

    CRadviewDoc& m_doc;
    const CRadviewApp& m_app;
    CCatLayout m_layout;
    int m_nAnchor = -1;
    std::unordered_map<const CRad*, QImage> m_tiles;
    std::unordered_map<const CRad*, unsigned> m_flags;  // of the records drawn so far
    std::optional<rad::CRecordQc> m_qc;                 // judges the file's records
    CResample m_spectrum;  // of the tile being drawn, its memory kept from tile to tile
    int m_nNextFill = 0;   // the next record the background fill looks at
    bool m_bFillQueued = false;
};
