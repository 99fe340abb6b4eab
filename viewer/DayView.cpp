#include "DayView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <cerrno>

#include "CursorReadout.h"
#include "DayPartDocs.h"
#include "DrawingArea.h"
#include "GraphClipboard.h"
#include "GraphText.h"
#include "PagePrinting.h"
#include "QuantityNames.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "SpectralCsv.h"

namespace {

constexpr int kPickTolerance = 6;  // logical units around a drawn point

// The plot and its bottom edge, where values of 0 are drawn.
bool OnPlot(const CGraph& graph, QPoint point) {
    return InPlot(graph, point) ||
           (point.y() == graph.bottom && point.x() >= graph.left && point.x() < graph.right);
}

}  // namespace

// The drawing surface below the view's controls; everything it does belongs to the view.
class CDayPlot : public QWidget {
  public:
    explicit CDayPlot(CDayView& view) : QWidget(&view), m_view(view) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_view.Paint(painter, size());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) m_view.Press(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override { m_view.Move(event->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) m_view.StopTracking();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        // Not a press: the view may be left, so its release may never arrive here.
        m_view.StopTracking();
        if (event->button() == Qt::LeftButton) m_view.OpenRecordAt(event->position().toPoint());
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        emit m_view.contextMenuRequested(event->globalPos());
    }
    void hideEvent(QHideEvent* event) override {
        m_view.StopTracking();
        QWidget::hideEvent(event);
    }

  private:
    CDayView& m_view;
};

CDayView::CDayView(CRadviewDoc& doc, const CRadviewApp& app, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_app(app),
      m_pQuantity(new QComboBox(this)),
      m_pMapBox(new QCheckBox(tr("Colour Map"), this)),
      m_pPlot(new CDayPlot(*this)) {
    for (rad::Quantity q : DayViewQuantities())
        m_pQuantity->addItem(QuantityName(q), static_cast<int>(q));
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_pQuantity);
    bar->addWidget(m_pMapBox);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_pPlot, 1);
    connect(m_pQuantity, &QComboBox::currentIndexChanged, this, [this](int index) {
        SetQuantity(static_cast<rad::Quantity>(m_pQuantity->itemData(index).toInt()));
    });
    connect(m_pMapBox, &QCheckBox::toggled, this, &CDayView::SetMapShown);
    connect(&m_doc, &CRadviewDoc::updated, this, &CDayView::OnUpdate);
}

void CDayView::SetQuantity(rad::Quantity q) {
    m_quantity = q;
    const int index = m_pQuantity->findData(static_cast<int>(q));
    if (index >= 0 && index != m_pQuantity->currentIndex()) m_pQuantity->setCurrentIndex(index);
    StopTracking();
}

void CDayView::SetMapShown(bool shown) {
    m_bMap = shown;
    if (m_pMapBox->isChecked() != shown) m_pMapBox->setChecked(shown);
    m_pQuantity->setEnabled(!shown);  // the map shows irradiance, not the chosen quantity
    StopTracking();
}

void CDayView::OnUpdate(int hint) {
    // Records deleted or reloaded rebuild the series and the map; new settings the map's
    // picture. Stepping through records in the other view changes neither.
    if (hint == kHintRebuildTiles || m_doc.Data().GetCount() != m_nSourceCount) {
        m_series.reset();
        m_map.reset();
    }
    StopTracking();
}

const DaySeries& CDayView::Series() {
    // The other parts of the day open now: one opened, closed or grown rebuilds the series.
    std::vector<const CRsdData*> sets{&m_doc.Data()};
    for (const CRsdData* other : OtherPartsOfDay(m_doc)) sets.push_back(other);
    std::vector<std::pair<const CRsdData*, int>> parts;
    for (const CRsdData* set : sets) parts.emplace_back(set, set->GetCount());
    if (parts != m_parts) {
        m_series.reset();
        m_map.reset();
    }
    if (!m_series) {
        m_nSourceCount = m_doc.Data().GetCount();
        m_parts = std::move(parts);
        try {
            m_series = BuildDaySeries(sets, m_app.Analysis().DayStartHour());
        } catch (const std::exception&) {
            m_series = DaySeries{};  // a record time without a local form: nothing to place
        }
    }
    return *m_series;
}

const DayMap& CDayView::Map() {
    if (!m_map) {
        m_map = BuildDayMap(m_doc.Data(), Series());
    }
    return *m_map;
}

DayPage CDayView::Page(QSize area) {
    DayPage page;
    page.area = area;
    page.settings = m_app.Settings().graph;
    page.series = &Series();
    page.quantity = m_quantity;
    page.map = m_bMap ? &Map() : nullptr;
    return page;
}

rad::PageDrawer CDayView::Drawer() {
    return [this](QPainter& painter, QSize area) {
        CGraph graph;
        rad::DrawDayPage(painter, graph, Page(area));
    };
}

void CDayView::Paint(QPainter& painter, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    m_area = rad::ScreenDrawingArea(size);
    const DayPage page = Page(m_area);
    rad::DrawDayPage(painter, m_graph, page);
    if (m_readout)
        DrawCursorCross(painter, m_graph, m_area, m_readout->cross,
                        rad::DayReadoutText(page, *m_readout));
}

void CDayView::Press(QPoint point) {
    if (!OnPlot(m_graph, point)) return;
    m_bTracking = true;
    Move(point);
}

void CDayView::Move(QPoint point) {
    if (!m_bTracking || !OnPlot(m_graph, point)) return;
    m_readout = rad::ReadDayCursor(m_graph, Page(m_area), point);
    m_pPlot->update();
}

void CDayView::StopTracking() {
    m_bTracking = false;
    m_readout.reset();
    m_pPlot->update();
}

void CDayView::OpenRecordAt(QPoint point) {
    if (!OnPlot(m_graph, point)) return;
    const std::optional<int> record =
        rad::DayRecordAt(m_graph, Page(m_area), point, kPickTolerance);
    if (!record) return;
    m_doc.m_shownIndices = {*record};
    m_doc.m_shownSpectra.clear();
    emit switchRequested(1);
}

void CDayView::Copy() { rad::CopyGraphToClipboard(this, GraphProgram::Radview, Drawer()); }

void CDayView::Print(QPrinter& printer) { rad::PrintWithDialog(this, printer, Drawer()); }

void CDayView::PrintPreview(QPrinter& printer) { rad::PrintPreviewDialog(this, printer, Drawer()); }

bool CDayView::ExportCsv(const std::string& path) {
    if ((errno = m_doc.OutputRefusal(path)) != 0) return false;
    return rad::WriteCsvLines(path, Series().CsvLines());
}
