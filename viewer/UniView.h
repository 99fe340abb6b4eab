#pragma once

#include <QWidget>
#include <optional>

#include "CursorReadout.h"
#include "Graph.h"
#include "GraphPage.h"
#include "GraphPictures.h"

class CRadviewApp;
class CRadviewDoc;
class QPrinter;

// The single-record view: the graph page of the shown records and the cursor read-out.
class CUniView : public QWidget {
    Q_OBJECT
  public:
    CUniView(CRadviewDoc& doc, const CRadviewApp& app, QWidget* parent = nullptr);

    const CGraph& Graph() const { return m_graph; }
    // The read-out while the left button is held; nullopt otherwise.
    const std::optional<CursorReadout>& Readout() const { return m_readout; }
    // The text of the read-out, "WL = %d Irr = %6.1f".
    static QString ReadoutText(const CursorReadout& readout);

    // The page with the document's data for a drawing area of W x H.
    GraphPage Page(QSize area) const;
    void Copy();
    void Print(QPrinter& printer);
    void PrintPreview(QPrinter& printer);

  signals:
    void switchRequested(int mode);
    void contextMenuRequested(QPoint globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void OnUpdate(int hint);
    void TrackCursor(QPoint point);
    // The read-out exists only while the left button is held.
    void StopTracking();
    void DrawReadout(QPainter& painter) const;
    rad::PageDrawer Drawer() const;

    CRadviewDoc& m_doc;
    const CRadviewApp& m_app;
    CGraph m_graph;
    QSize m_area;
    bool m_bTracking = false;
    std::optional<CursorReadout> m_readout;
};
