#include "QuantitiesPanel.h"

#include <QHeaderView>
#include <QTableWidget>

#include "LightSeries.h"
#include "LocalTime.h"
#include "QuantityNames.h"
#include "ViewerZone.h"

CQuantitiesPanel::CQuantitiesPanel(QWidget* parent)
    : QDockWidget(tr("Quantities"), parent), m_pTable(new QTableWidget(this)) {
    setObjectName(QStringLiteral("quantities"));
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setRowCount(static_cast<int>(rad::kQuantityCount + rad::SunColumns().size()));
    QStringList names;
    for (const rad::QuantityInfo& info : rad::QuantityTable()) names << QuantityName(info.id);
    for (const rad::SunColumn& column : rad::SunColumns()) names << SunValueName(column);
    m_pTable->setVerticalHeaderLabels(names);
    setWidget(m_pTable);
}

void CQuantitiesPanel::ShowRecords(const CRsdData* set, std::span<const int> indices) {
    std::vector<rad::SeriesRow> rows;
    if (set) {
        try {
            rows = rad::ComputeSeries(*set, indices);
            rad::RecordSun sun(rad::SiteOf(*set), ViewerZoneOf(*set));
            rad::AddSun(rows, sun);
        } catch (const std::out_of_range&) {
            rows.clear();  // the shown list is refilled before the view shows it again
        } catch (const std::invalid_argument&) {
            rows.clear();  // a record time without a local form
        }
    }
    m_pTable->setColumnCount(static_cast<int>(rows.size()));
    int column = 0;
    for (const rad::SeriesRow& row : rows) {
        QString title;
        try {
            title = QString::fromStdString(rad::FormatLocalTime(row.time, "%Y/%m/%d %H:%M:%S"));
        } catch (const std::invalid_argument&) {
            title = QString::number(row.record + 1);
        }
        m_pTable->setHorizontalHeaderItem(column, new QTableWidgetItem(title));
        int line = 0;
        for (const rad::QuantityInfo& info : rad::QuantityTable()) {
            auto* item = new QTableWidgetItem(QuantityText(info.id, row.quantities[info.id]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_pTable->setItem(line++, column, item);
        }
        for (const rad::SunColumn& sunColumn : rad::SunColumns()) {
            auto* item = new QTableWidgetItem(SunValueText(sunColumn, row.sun));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_pTable->setItem(line++, column, item);
        }
        ++column;
    }
    m_pTable->resizeColumnsToContents();
}
