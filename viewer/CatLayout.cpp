#include "CatLayout.h"

#include <algorithm>

#include "RsdData.h"

void CCatLayout::Layout(int count, int clientWidth, QSize tile) {
    if (count <= 0) return;
    m_size = tile;
    m_nColumns = std::max(1, clientWidth / m_size.width());
    // Always one row more than the full rows, also when the last row is full.
    m_nRows = count / m_nColumns + 1;
}

QRect CCatLayout::RectOf(int index) const {
    return {(index % m_nColumns) * m_size.width(), (index / m_nColumns) * m_size.height(),
            m_size.width(), m_size.height()};
}

int CCatLayout::HitTest(int x, int y, int count) const {
    if (x < 0 || y < 0) return -1;
    const int column = x / m_size.width();
    if (column >= m_nColumns) return -1;
    const int row = y / m_size.height();
    if (row >= m_nRows) return -1;
    const int index = column + m_nColumns * row;
    return index < count ? index : -1;
}

int CatalogJumpTarget(const CCatLayout& layout, int count, int current, bool toEnd, bool whole) {
    if (count <= 0) return -1;
    if (whole) return toEnd ? count - 1 : 0;
    const int columns = std::max(1, layout.Columns());
    const int rowStart = std::clamp(current, 0, count - 1) / columns * columns;
    return toEnd ? std::min(rowStart + columns, count) - 1 : rowStart;
}

void ApplyCatalogClick(CRsdData& data, int hit, ClickMode mode, int& anchor) {
    const int previous = anchor;
    anchor = hit;
    auto clearAll = [&data] {
        for (auto& rad : data.m_arRad) rad->m_nSelect = 0;
    };
    if (hit < 0) {
        clearAll();
        return;
    }
    switch (mode) {
        case ClickMode::Toggle:
            data.GetAt(hit).m_nSelect ^= 1;
            break;
        case ClickMode::Range:
            if (previous >= 0) {
                // An anchor left behind by a delete may point past the end.
                const int last = std::min(std::max(previous, hit), data.GetCount() - 1);
                for (int i = std::min(previous, hit); i <= last; ++i) data.GetAt(i).m_nSelect |= 1;
            }
            break;
        case ClickMode::Plain:
            clearAll();
            data.GetAt(hit).m_nSelect = 1;
            break;
    }
}
