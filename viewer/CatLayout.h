#pragma once

#include <QRect>
#include <QSize>

class CRsdData;

// Grid geometry of the tiled catalog: tiles in record order, row by row.
class CCatLayout {
  public:
    // Lays out count records for a client width; with no record the layout keeps its old values.
    void Layout(int count, int clientWidth, QSize tile);

    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    int TotalWidth() const { return m_size.width() * m_nColumns; }
    int TotalHeight() const { return m_size.height() * m_nRows; }
    QSize TileSize() const { return m_size; }

    QRect RectOf(int index) const;
    // Record under a logical (scrolled) point, or -1.
    int HitTest(int x, int y, int count) const;

  private:
    QSize m_size{80, 60};
    int m_nColumns = 1;
    int m_nRows = 0;
};

// The record Home (row start), End (row end), Ctrl+Home (first) or Ctrl+End (last) moves to
// from current (the anchor; -1 = none, taken as the first record); -1 without records.
int CatalogJumpTarget(const CCatLayout& layout, int count, int current, bool toEnd, bool whole);

// Modifier state of a click in the catalog.
enum class ClickMode { Plain, Toggle, Range };

// Applies a click on record hit (-1 = none) to the selection marks; anchor is the index of
// the tile last clicked and is updated here.
void ApplyCatalogClick(CRsdData& data, int hit, ClickMode mode, int& anchor);
