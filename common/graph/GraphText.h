#pragma once

#include <QFont>
#include <QPoint>
#include <QString>

class QPainter;

namespace rad {

// A font as the graph defines it: the height value is what tick marks and offsets are
// measured in, the escapement (tenths of a degree) turns the text anticlockwise.
struct GraphFont {
    QFont font;
    int height = 0;
    int escapement = 0;
};

// "Times New Roman" whose cell (ascent + descent) is cellHeight logical units.
GraphFont MakeCellFont(int cellHeight, int escapement = 0);
// The same in another family.
GraphFont MakeCellFontOf(const QString& family, QFont::StyleHint hint, int cellHeight,
                         int escapement = 0);
// "Times New Roman" whose character height (em size) is charHeight logical units.
GraphFont MakeCharFont(int charHeight);

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

// Draws text anchored at `at` in black on an opaque white cell, the graph's text defaults.
void DrawAlignedText(QPainter& painter, const GraphFont& font, QPoint at, const QString& text,
                     HAlign h, VAlign v);
// Width of text in the font on the painter's device.
int TextWidth(QPainter& painter, const GraphFont& font, const QString& text);
// Height of a text line (ascent + descent) in the font on the painter's device.
int TextHeight(QPainter& painter, const GraphFont& font);

}  // namespace rad
