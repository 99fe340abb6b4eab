#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DayGraph.h"
#include "GraphPictures.h"

class CRadviewApp;
class CRadviewDoc;
class CRsdData;
class QCheckBox;
class QComboBox;
class QPrinter;
class QPushButton;
class QRubberBand;

// The day view: a quantity of every record over the time of day, or the colour map of the
// day's spectra, with the cursor read-out while the left button is held. One day at a time
// or all days; the wheel and a band drawn with Shift held zoom into the time axis, a double
// click off the points shows the whole day again.
class CDayView : public QWidget {
    Q_OBJECT
  public:
    CDayView(CRadviewDoc& doc, const CRadviewApp& app, QWidget* parent = nullptr);

    QWidget* Plot() const { return m_pPlot; }
    const CGraph& Graph() const { return m_graph; }
    const std::optional<DayReadout>& Readout() const { return m_readout; }
    rad::Quantity Quantity() const { return m_quantity; }
    void SetQuantity(rad::Quantity q);
    bool MapShown() const { return m_bMap; }
    void SetMapShown(bool shown);

    // The day shown: an index into the series' days, or -1 for all days.
    int Day() const { return m_day; }
    void SetDay(int day);
    void NextDay();
    void PreviousDay();
    void ShowAllDays();
    // The hours on the time axis: the zoom, else the whole day (or all days).
    HourRange Window();
    void SetWindow(HourRange wanted);
    void ResetZoom();
    bool Zoomed() const { return m_zoom.has_value(); }
    // The series of the document's records, built when first needed after a change.
    const DaySeries& Series();
    // The page for a drawing area of W x H.
    DayPage Page(QSize area);
    rad::PageDrawer Drawer();

    // The page as a picture file (PNG, SVG or PDF by the suffix) of size; false on failure.
    bool SavePicture(const QString& path, QSize size);
    // Asks for the file and its size, then saves.
    void SavePictureAs();
    void Copy();
    void Print(QPrinter& printer);
    void PrintPreview(QPrinter& printer);
    // The series as CSV rows; false when the file cannot be written.
    bool ExportCsv(const std::string& path);

  signals:
    void switchRequested(int mode);
    void contextMenuRequested(QPoint globalPos);

  private:
    friend class CDayPlot;
    void OnUpdate(int hint);
    void showEvent(QShowEvent* event) override;
    void FillDayChoice();
    void Wheel(QPoint point, int angle);
    void StartBand(QPoint point);
    void MoveBand(QPoint point);
    void EndBand(QPoint point);
    void Paint(QPainter& painter, QSize size);
    void Press(QPoint point);
    void Move(QPoint point);
    void StopTracking();
    void OpenRecordAt(QPoint point);
    const DayMap& Map();

    CRadviewDoc& m_doc;
    const CRadviewApp& m_app;
    QComboBox* m_pQuantity;
    QCheckBox* m_pMapBox;
    QComboBox* m_pDayChoice;
    QPushButton* m_pSavePicture;
    QRubberBand* m_pBand = nullptr;
    QPoint m_bandStart;
    QWidget* m_pPlot;
    rad::Quantity m_quantity = rad::Quantity::Ppfd;
    bool m_bMap = false;
    int m_day = 0;
    std::optional<HourRange> m_zoom;
    std::optional<DaySeries> m_series;
    std::optional<DayMap> m_map;
    // The data sets of the parts of the day the series was built from, and their counts.
    std::vector<std::pair<const CRsdData*, int>> m_parts;
    CGraph m_graph;
    QSize m_area;
    bool m_bTracking = false;
    std::optional<DayReadout> m_readout;
};
