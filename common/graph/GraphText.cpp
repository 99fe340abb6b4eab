#include "GraphText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <map>

namespace rad {
namespace {

constexpr const char* kGraphFamily = "Times New Roman";

QFont BaseFont(const QString& family, QFont::StyleHint hint, int pixelSize) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

QFont BaseFont(int pixelSize) {
    return BaseFont(QString::fromLatin1(kGraphFamily), QFont::Serif, pixelSize);
}

// Cell height per pixel of em size, measured once per family (and per thread that draws).
double CellPerEm(const QString& family, QFont::StyleHint hint) {
    thread_local std::map<QString, double> ratios;
    const auto known = ratios.find(family);
    if (known != ratios.end()) return known->second;
    constexpr int kProbe = 200;
    const double cell = QFontMetricsF(BaseFont(family, hint, kProbe)).height();
    return ratios[family] = cell > 0 ? cell / kProbe : 1.0;
}

}  // namespace

GraphFont MakeCellFont(int cellHeight, int escapement) {
    return MakeCellFontOf(QString::fromLatin1(kGraphFamily), QFont::Serif, cellHeight, escapement);
}

GraphFont MakeCellFontOf(const QString& family, QFont::StyleHint hint, int cellHeight,
                         int escapement) {
    const int em = static_cast<int>(std::lround(cellHeight / CellPerEm(family, hint)));
    return GraphFont{BaseFont(family, hint, em), cellHeight, escapement};
}

GraphFont MakeCharFont(int charHeight) { return GraphFont{BaseFont(charHeight), charHeight, 0}; }

int TextWidth(QPainter& painter, const GraphFont& font, const QString& text) {
    painter.save();
    painter.setFont(font.font);
    const int width = painter.fontMetrics().horizontalAdvance(text);
    painter.restore();
    return width;
}

int TextHeight(QPainter& painter, const GraphFont& font) {
    painter.save();
    painter.setFont(font.font);
    const int height = painter.fontMetrics().height();
    painter.restore();
    return height;
}

void DrawAlignedText(QPainter& painter, const GraphFont& font, QPoint at, const QString& text,
                     HAlign h, VAlign v) {
    if (text.isEmpty()) return;
    painter.save();
    painter.setFont(font.font);
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QFontMetrics metrics = painter.fontMetrics();
    int x = 0;
    if (h == HAlign::Center) x = -metrics.horizontalAdvance(text) / 2;
    if (h == HAlign::Right) x = -metrics.horizontalAdvance(text);
    int y = 0;
    if (v == VAlign::Top) y = metrics.ascent();
    if (v == VAlign::Bottom) y = -metrics.descent();
    painter.translate(at);
    if (font.escapement != 0) painter.rotate(-font.escapement / 10.0);
    painter.drawText(QPoint(x, y), text);
    painter.restore();
}

}  // namespace rad
