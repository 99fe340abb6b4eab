#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "Graph.h"
#include "GraphPage.h"

class QPrinter;

// Fills what the page shows (spectrum, last record, texts, settings); the view sets the area.
using PageSource = std::function<void(GraphPage&)>;

// The graph page of the last record, on the screen, the printer and the clipboard.
class CRadlogView : public QWidget {
    Q_OBJECT
  public:
    explicit CRadlogView(QWidget* parent = nullptr);
    ~CRadlogView() override;

    void SetPageSource(PageSource source) { m_source = std::move(source); }
    // Draws the page of the given area; the screen, printing and the clipboard all come here.
    void DrawPage(QPainter& painter, QSize area);
    // W x H of the last screen drawing.
    QSize DrawArea() const { return m_drawArea; }
    const CGraph& Graph() const { return m_graph; }
    // The printer settings the print commands share for the whole run.
    QPrinter& Printer();

  public slots:
    bool Copy();
    void Print();
    void PrintPreview();
    void PrinterSetup();
    // Draws the page on a printer that is already set up (also print to PDF).
    void PrintTo(QPrinter* printer);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    PageSource m_source;
    CGraph m_graph;
    QSize m_drawArea;
    std::unique_ptr<QPrinter> m_pPrinter;
};
