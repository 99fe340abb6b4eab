#pragma once

#include <QColor>

// Pieces of the graph that both programs share but draw slightly differently.
enum class GraphProgram { Radlog, Radview };

namespace rad {

// A rectangle in logical units with the right and bottom edges excluded, as the plot
// geometry is defined (right - left is the width).
struct PlotRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// Settings hold Windows COLORREF values, 0x00BBGGRR.
inline QColor ToQColor(int colorref) {
    return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

inline int ToColorRef(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace rad
