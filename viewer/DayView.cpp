#include "DayView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRubberBand>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cerrno>
#include <cmath>

#include "CursorReadout.h"
#include "DayExport.h"
#include "DayPartDocs.h"
#include "DrawingArea.h"
#include "FileErrorCause.h"
#include "GraphClipboard.h"
#include "GraphText.h"
#include "PagePrinting.h"
#include "QuantityNames.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "SpectralCsv.h"

namespace {

constexpr int kPickTolerance = 6;   // logical units around a drawn point
constexpr double kWheelZoom = 0.8;  // span kept per notch of the wheel turned forward
constexpr int kNotch = 120;         // angle of one notch, in eighths of a degree
constexpr int kLargestPicture = 20000;

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
        if (event->button() != Qt::LeftButton) return;
        if (event->modifiers() & Qt::ShiftModifier)
            m_view.StartBand(event->position().toPoint());
        else
            m_view.Press(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_view.MoveBand(event->position().toPoint());
        m_view.Move(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        m_view.EndBand(event->position().toPoint());
        m_view.StopTracking();
    }
    void wheelEvent(QWheelEvent* event) override {
        m_view.Wheel(event->position().toPoint(), event->angleDelta().y());
        event->accept();
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
      m_pDayChoice(new QComboBox(this)),
      m_pSavePicture(new QPushButton(tr("Save Picture..."), this)),
      m_pPlot(new CDayPlot(*this)) {
    for (rad::Quantity q : DayViewQuantities())
        m_pQuantity->addItem(QuantityName(q), static_cast<int>(q));
    const std::pair<QWidget*, QString> tips[] = {
        {m_pQuantity, tr("The light quantity drawn over the time of day")},
        {m_pMapBox, tr("Show the spectra of the records as a colour map instead of the curve")},
        {m_pDayChoice, tr("The day shown (Page Up, Page Down), or all days together (Home)")},
        {m_pSavePicture, tr("Save the day page as a PNG, SVG or PDF picture of a chosen size")},
        {m_pPlot, tr("Hold the left button to read values; wheel or Shift+drag to zoom the time; "
                     "double-click a point to open its record, elsewhere to show the whole day")},
    };
    for (const auto& [widget, tip] : tips) {
        widget->setToolTip(tip);
        widget->setStatusTip(tip);
    }
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_pDayChoice);
    bar->addWidget(m_pQuantity);
    bar->addWidget(m_pMapBox);
    bar->addStretch();
    bar->addWidget(m_pSavePicture);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_pPlot, 1);
    connect(m_pQuantity, &QComboBox::currentIndexChanged, this, [this](int index) {
        SetQuantity(static_cast<rad::Quantity>(m_pQuantity->itemData(index).toInt()));
    });
    connect(m_pMapBox, &QCheckBox::toggled, this, &CDayView::SetMapShown);
    connect(m_pDayChoice, &QComboBox::activated, this,
            [this](int index) { SetDay(m_pDayChoice->itemData(index).toInt()); });
    connect(m_pSavePicture, &QPushButton::clicked, this, &CDayView::SavePictureAs);
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
    const bool grown = m_parts.empty() || m_doc.Data().GetCount() != m_parts.front().second;
    if (hint == kHintRebuildTiles || grown) {
        m_series.reset();
        m_map.reset();
        if (isVisible()) FillDayChoice();
    }
    StopTracking();
}

void CDayView::showEvent(QShowEvent* event) {
    FillDayChoice();
    QWidget::showEvent(event);
}

void CDayView::FillDayChoice() {
    const DaySeries& series = Series();
    const QSignalBlocker blocker(m_pDayChoice);
    m_pDayChoice->clear();
    for (std::size_t i = 0; i < series.days.size(); ++i)
        m_pDayChoice->addItem(rad::DayDateText(series, static_cast<int>(i)), static_cast<int>(i));
    if (series.days.size() > 1) m_pDayChoice->addItem(tr("All days"), -1);
    m_pDayChoice->setEnabled(series.days.size() > 1);
    if (m_day >= static_cast<int>(series.days.size())) m_day = 0;
    m_pDayChoice->setCurrentIndex(m_pDayChoice->findData(m_day));
    if (m_zoom) SetWindow(*m_zoom);  // kept, within the day as it now stands
}

void CDayView::SetDay(int day) {
    const int count = static_cast<int>(Series().days.size());
    m_day = count > 1 ? std::clamp(day, -1, count - 1) : 0;
    m_zoom.reset();
    const int index = m_pDayChoice->findData(m_day);
    if (index >= 0 && index != m_pDayChoice->currentIndex()) m_pDayChoice->setCurrentIndex(index);
    StopTracking();
}

void CDayView::NextDay() { SetDay(m_day < 0 ? 0 : m_day + 1); }

void CDayView::PreviousDay() {
    SetDay(m_day < 0 ? static_cast<int>(Series().days.size()) - 1 : std::max(0, m_day - 1));
}

void CDayView::ShowAllDays() { SetDay(-1); }

HourRange CDayView::Window() { return m_zoom.value_or(DayHours(Series(), m_day)); }

void CDayView::SetWindow(HourRange wanted) {
    const HourRange limits = DayHours(Series(), m_day);
    const HourRange range = RangeBetween(wanted.from, wanted.to, limits);
    if (range == limits)
        m_zoom.reset();
    else
        m_zoom = range;
    StopTracking();
}

void CDayView::ResetZoom() {
    m_zoom.reset();
    StopTracking();
}

void CDayView::Wheel(QPoint point, int angle) {
    if (angle == 0 || m_graph.Width() <= 0) return;
    const double hour = m_graph.xFrom + (point.x() - m_graph.left) * (m_graph.xTo - m_graph.xFrom) /
                                            m_graph.Width();
    const HourRange limits = DayHours(Series(), m_day);
    SetWindow(ZoomedRange(Window(), hour, std::pow(kWheelZoom, angle / double(kNotch)), limits));
}

void CDayView::StartBand(QPoint point) {
    if (!OnPlot(m_graph, point)) return;
    if (!m_pBand) m_pBand = new QRubberBand(QRubberBand::Rectangle, m_pPlot);
    m_bandStart = point;
    m_pBand->setGeometry(QRect(point, QSize()));
    m_pBand->show();
}

void CDayView::MoveBand(QPoint point) {
    if (!m_pBand || !m_pBand->isVisible()) return;
    m_pBand->setGeometry(
        QRect(QPoint(m_bandStart.x(), m_graph.top), QPoint(point.x(), m_graph.bottom - 1))
            .normalized());
}

void CDayView::EndBand(QPoint point) {
    if (!m_pBand || !m_pBand->isVisible()) return;
    m_pBand->hide();
    if (std::abs(point.x() - m_bandStart.x()) < 3 || m_graph.Width() <= 0) return;  // a click
    const auto hourAt = [this](int x) {
        return m_graph.xFrom + (x - m_graph.left) * (m_graph.xTo - m_graph.xFrom) / m_graph.Width();
    };
    SetWindow({hourAt(m_bandStart.x()), hourAt(point.x())});
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
    page.day = Series().days.size() > 1 ? m_day : 0;
    page.window = Window();
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
    DayPage page = Page(m_area);
    page.screen = true;
    page.minFont = std::max(kMinDayFont, QFontInfo(font()).pixelSize());
    rad::DrawDayPage(painter, m_graph, page);
    if (m_readout)
        rad::DrawDayCursor(painter, m_graph, page, m_readout->cross,
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
    if (!record) {
        ResetZoom();  // off the points: the whole day again
        return;
    }
    m_doc.m_shownIndices = {*record};
    m_doc.m_shownSpectra.clear();
    emit switchRequested(1);
}

void CDayView::Copy() {
    // At the window's size, as seen.
    rad::CopyGraphToClipboard(this, GraphProgram::Radview, Drawer(), m_pPlot->size());
}

bool CDayView::SavePicture(const QString& path, QSize size) {
    return SaveDayPicture(path, size, Drawer());
}

void CDayView::SavePictureAs() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Picture"), QString(),
        tr("PNG picture (*.png);;SVG picture (*.svg);;PDF document (*.pdf)"));
    if (path.isEmpty()) return;
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Picture Size"));
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height}) {
        box->setRange(100, kLargestPicture);
        box->setSuffix(tr(" px"));
    }
    width->setValue(m_pPlot->width());
    height->setValue(m_pPlot->height());
    width->setToolTip(tr("Width of the picture (points for a PDF page)"));
    height->setToolTip(tr("Height of the picture (points for a PDF page)"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(tr("Width"), width);
    form->addRow(tr("Height"), height);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return;
    errno = 0;
    if (!SavePicture(path, QSize(width->value(), height->value())))
        QMessageBox::warning(this, QCoreApplication::applicationName(),
                             tr("The picture %1 could not be written: %2.")
                                 .arg(QDir::toNativeSeparators(path), FileErrorCause(errno)));
}

void CDayView::Print(QPrinter& printer) { rad::PrintWithDialog(this, printer, Drawer()); }

void CDayView::PrintPreview(QPrinter& printer) { rad::PrintPreviewDialog(this, printer, Drawer()); }

bool CDayView::ExportCsv(const std::string& path) {
    if ((errno = m_doc.OutputRefusal(path)) != 0) return false;
    return rad::WriteCsvLines(path, Series().CsvLines(true));
}
