#pragma once

#include <QDockWidget>
#include <span>

class CRsdData;
class QTableWidget;

// The dockable list of every light quantity of the records shown in the single-record view,
// one column per record.
class CQuantitiesPanel : public QDockWidget {
    Q_OBJECT
  public:
    explicit CQuantitiesPanel(QWidget* parent = nullptr);

    // The records of set at indices; null or no indices empties the table.
    void ShowRecords(const CRsdData* set, std::span<const int> indices);
    QTableWidget* Table() const { return m_pTable; }

  private:
    QTableWidget* m_pTable;
};
