#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <functional>

#include "Graph.h"
#include "Resample.h"

// A white RGB32 picture with something drawn into it.
inline QImage Paint(QSize size, const std::function<void(QPainter&)>& draw) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// Whether a pixel of the area has the colour, or (ink) anything but white: text is
// anti-aliased, so its pixels are greys rather than black.
inline bool HasColor(const QImage& image, QRgb color, QRect area, bool ink = false) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) == color) != ink) return true;
    return false;
}
inline bool HasInk(const QImage& image, QRect area) {
    return HasColor(image, qRgb(255, 255, 255), area, true);
}

// A graph on the plot rectangle with its ranges and tick steps.
inline CGraph MakeGraph(rad::PlotRect plot, double xFrom, double xTo, double yBottom, double yTop) {
    CGraph graph;
    graph.SetRect(plot);
    graph.xFrom = xFrom;
    graph.xTo = xTo;
    graph.yBottom = yBottom;
    graph.yTop = yTop;
    graph.CalcTickSteps();
    return graph;
}

// A spectrum with the same value at every nanometre from first to last.
inline CResample FlatSpectrum(int first, int last, double value) {
    CResample spectrum;
    spectrum.m_nFirst = first;
    spectrum.m_nLast = last;
    spectrum.m_pValue.assign(static_cast<std::size_t>(last - first + 1), value);
    spectrum.m_dMax = value;
    spectrum.m_dMin = value;
    return spectrum;
}
