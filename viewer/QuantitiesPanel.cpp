#include "QuantitiesPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <set>

#include "LightSeries.h"
#include "LocalTime.h"
#include "QuantityNames.h"
#include "ViewerZone.h"

namespace {
constexpr int kHintWidth = 260;  // pixels: the hint wraps within this
}  // namespace

CQuantitiesPanel::CQuantitiesPanel(QWidget* parent)
    : QDockWidget(tr("Quantities"), parent),
      m_pPages(new QStackedWidget(this)),
      m_pHint(new QLabel(m_pPages)),
      m_pTable(new QTableWidget(m_pPages)) {
    setObjectName(QStringLiteral("quantities"));
    m_pHint->setWordWrap(true);
    m_pHint->setAlignment(Qt::AlignCenter);
    m_pHint->setMargin(12);
    m_pHint->setMinimumWidth(kHintWidth);
    m_pPages->addWidget(m_pHint);
    m_pPages->addWidget(m_pTable);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The last row names the record's quality flags.
    m_pTable->setRowCount(static_cast<int>(rad::kQuantityCount + rad::SunColumns().size() + 1));
    QStringList names;
    for (const rad::QuantityInfo& info : rad::QuantityTable()) names << QuantityName(info.id);
    for (const rad::SunColumn& column : rad::SunColumns()) names << SunValueName(column);
    names << tr("Quality flags");
    m_pTable->setVerticalHeaderLabels(names);
    setWidget(m_pPages);
}

void CQuantitiesPanel::ShowRecords(const CRsdData* set, std::span<const int> indices,
                                   const QString& hint) {
    std::vector<rad::SeriesRow> rows;
    if (set) {
        try {
            rows = rad::ComputeSeries(*set, indices);
            rad::RecordSun sun(rad::SiteOf(*set), ViewerZoneOf(*set));
            rad::AddSun(rows, sun, {{}, rad::ExpectedModels(*set)});
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
        auto* flags = new QTableWidgetItem(QString::fromStdString(rad::QcNames(row.qc)));
        flags->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_pTable->setItem(line++, column, flags);
        ++column;
    }
    m_pTable->resizeColumnsToContents();
    m_pHint->setText(hint);
    m_pPages->setCurrentWidget(rows.empty() ? static_cast<QWidget*>(m_pHint) : m_pTable);
}

int CQuantitiesPanel::PreferredWidth() const {
    if (m_pPages->currentWidget() == m_pHint) return kHintWidth;
    int width = m_pTable->verticalHeader()->sizeHint().width() + 2 * m_pTable->frameWidth() +
                m_pTable->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_pTable->columnCount(); ++c) width += m_pTable->columnWidth(c);
    return width;
}

QString CQuantitiesPanel::SelectedRowsText() const {
    std::set<int> rows;
    for (const QModelIndex& index : m_pTable->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty())
        for (int r = 0; r < m_pTable->rowCount(); ++r) rows.insert(r);
    QStringList line{tr("Quantity")};
    for (int c = 0; c < m_pTable->columnCount(); ++c)
        line << m_pTable->horizontalHeaderItem(c)->text();
    QStringList lines{line.join('\t')};
    for (const int r : rows) {
        line = QStringList{m_pTable->verticalHeaderItem(r)->text()};
        for (int c = 0; c < m_pTable->columnCount(); ++c) {
            const QTableWidgetItem* item = m_pTable->item(r, c);
            line << (item ? item->text() : QString());
        }
        lines << line.join('\t');
    }
    return lines.join('\n') + '\n';
}

void CQuantitiesPanel::CopySelection() const {
    if (m_pTable->columnCount() > 0) QApplication::clipboard()->setText(SelectedRowsText());
}
