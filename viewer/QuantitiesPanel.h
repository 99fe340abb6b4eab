#pragma once

#include <QDockWidget>
#include <span>

class CRsdData;
class QLabel;
class QStackedWidget;
class QTableWidget;

// The dockable list of every light quantity of the records shown in the single-record view,
// one column per record; a hint of what to select while there is none.
class CQuantitiesPanel : public QDockWidget {
    Q_OBJECT
  public:
    explicit CQuantitiesPanel(QWidget* parent = nullptr);

    // The records of set at indices; null or no indices shows hint instead of the table.
    void ShowRecords(const CRsdData* set, std::span<const int> indices, const QString& hint = {});
    QTableWidget* Table() const { return m_pTable; }
    QLabel* Hint() const { return m_pHint; }
    // Width that shows every column (or the hint) without scrolling sideways.
    int PreferredWidth() const;
    // The selected rows (every row without a selection) as tab-separated lines under a line of
    // the record times, each row led by its quantity name with its unit.
    QString SelectedRowsText() const;
    void CopySelection() const;

  private:
    QStackedWidget* m_pPages;
    QLabel* m_pHint;
    QTableWidget* m_pTable;
};
