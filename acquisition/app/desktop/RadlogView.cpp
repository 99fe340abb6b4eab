#include "RadlogView.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "DrawingArea.h"
#include "GraphClipboard.h"

CRadlogView::CRadlogView(QWidget* parent) : QWidget(parent) {
    setObjectName("CRadlogView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);
}

CRadlogView::~CRadlogView() = default;

void CRadlogView::DrawPage(QPainter& painter, QSize area) {
    GraphPage page;
    if (m_source) m_source(page);
    page.program = GraphProgram::Radlog;
    page.area = area;
    rad::DrawGraphPage(painter, m_graph, page);
}

QPrinter& CRadlogView::Printer() {
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CRadlogView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    m_drawArea = rad::ScreenDrawingArea(size());
    DrawPage(painter, m_drawArea);
}

bool CRadlogView::Copy() {
    return rad::CopyGraphToClipboard(
        this, GraphProgram::Radlog,
        [this](QPainter& painter, QSize area) { DrawPage(painter, area); });
}

void CRadlogView::PrintTo(QPrinter* printer) {
    QPainter painter(printer);
    if (!painter.isActive()) return;
    const QSize area = rad::BeginPrintPage(painter, *printer);
    DrawPage(painter, area);
}

void CRadlogView::Print() {
    // One page only: the dialog offers no page range.
    QPrintDialog dialog(&Printer(), this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted) PrintTo(&Printer());
}

void CRadlogView::PrintPreview() {
    QPrintPreviewDialog dialog(&Printer(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &CRadlogView::PrintTo);
    dialog.exec();
}

void CRadlogView::PrinterSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}
