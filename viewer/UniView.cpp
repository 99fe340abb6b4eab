#include "UniView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "DrawingArea.h"
#include "GraphClipboard.h"
#include "GraphText.h"
#include "PagePrinting.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"

CUniView::CUniView(CRadviewDoc& doc, const CRadviewApp& app, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_app(app) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    connect(&m_doc, &CRadviewDoc::updated, this, &CUniView::OnUpdate);
}

void CUniView::OnUpdate(int) {
    // Another record or new settings: a cross of the old curve would read a wrong value.
    StopTracking();
}

void CUniView::StopTracking() {
    m_bTracking = false;
    m_readout.reset();
    update();
}

GraphPage CUniView::Page(QSize area) const {
    const RadviewSettings& settings = m_app.Settings();
    GraphPage page;
    page.program = GraphProgram::Radview;
    page.area = area;
    page.settings = settings.graph;
    page.disp = settings.dispMode;
    for (const CResample& spectrum : m_doc.m_shownSpectra) page.spectra.push_back(&spectrum);
    page.data = &m_doc.Data();
    page.pixelRecords = m_doc.m_shownIndices;
    page.title = m_doc.m_report.titleText;
    page.dateText = m_doc.m_report.dateText;
    page.integralText = m_doc.m_report.integralText;
    page.statusText = m_doc.m_report.statusText;
    page.lineColors = settings.lineColors;
    return page;
}

QString CUniView::ReadoutText(const CursorReadout& readout) {
    return QString::asprintf("WL = %d Irr = %6.1f", readout.wavelength, readout.value);
}

void CUniView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    m_area = rad::ScreenDrawingArea(size());
    rad::DrawGraphPage(painter, m_graph, Page(m_area));
    DrawReadout(painter);
}

void CUniView::DrawReadout(QPainter& painter) const {
    if (m_readout)
        DrawCursorCross(painter, m_graph, m_area, m_readout->cross, ReadoutText(*m_readout));
}

void CUniView::TrackCursor(QPoint point) {
    // The cross belongs to a single curve; with several the press only captures the mouse.
    if (m_doc.m_shownSpectra.size() == 1)
        m_readout = ReadCursor(m_graph, m_doc.m_shownSpectra.front(), point);
    else
        m_readout.reset();
    update();
}

void CUniView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && InPlot(m_graph, p)) {
        m_bTracking = true;
        TrackCursor(p);
        return;
    }
    QWidget::mousePressEvent(event);
}

void CUniView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (m_bTracking && InPlot(m_graph, p)) TrackCursor(p);
}

void CUniView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_bTracking && event->button() == Qt::LeftButton) StopTracking();
}

void CUniView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Not a press: the view is left, so its release may never arrive here.
    StopTracking();
    if (event->button() == Qt::LeftButton) emit switchRequested(0);
}

void CUniView::hideEvent(QHideEvent* event) {
    StopTracking();
    QWidget::hideEvent(event);
}

void CUniView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
}

rad::PageDrawer CUniView::Drawer() const {
    return [this](QPainter& painter, QSize area) {
        CGraph graph;
        rad::DrawGraphPage(painter, graph, Page(area));
    };
}

void CUniView::Copy() { rad::CopyGraphToClipboard(this, GraphProgram::Radview, Drawer()); }

void CUniView::Print(QPrinter& printer) { rad::PrintWithDialog(this, printer, Drawer()); }

void CUniView::PrintPreview(QPrinter& printer) { rad::PrintPreviewDialog(this, printer, Drawer()); }
