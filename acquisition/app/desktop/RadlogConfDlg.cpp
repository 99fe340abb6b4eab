#include "RadlogConfDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QValidator>
#include <algorithm>
#include <functional>

#include "SensorModel.h"
#include "WavelengthEdit.h"

namespace {

// Keeps the part of an edit that reads back whole from the day file, and tells when it had to
// leave something out.
class CMemoValidator : public QValidator {
  public:
    CMemoValidator(QObject* parent, std::function<void()> cut)
        : QValidator(parent), m_cut(std::move(cut)) {}
    State validate(QString& input, int& pos) const override {
        const std::string typed = input.toStdString();
        if (rad::MemoReadsBackWhole(typed)) return Acceptable;
        input = QString::fromStdString(rad::FitMemo(typed));
        pos = std::min(pos, static_cast<int>(input.size()));
        m_cut();
        return Acceptable;
    }

  private:
    std::function<void()> m_cut;
};

void SetChecked(QAbstractButton* box, bool on) { box->setChecked(on); }

}  // namespace

CConfDlg::CConfDlg(const ConfValues& values, const std::vector<PortEntry>& ports, QWidget* parent)
    : QDialog(parent), m_values(values) {
    BuildLayout();
    // A check box or radio button reacts only on its mark and text; stretched wider, a click
    // beside them would look like a click on them and do nothing.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
            button->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    m_pMemo->setValidator(new CMemoValidator(m_pMemo, [this] { m_pMemoHint->show(); }));
    m_pStartHour->setValue(rad::HourOf(values.start));
    m_pStartMinute->setValue(rad::MinuteOf(values.start));
    m_pFinishHour->setValue(rad::HourOf(values.finish));
    m_pFinishMinute->setValue(rad::MinuteOf(values.finish));
    m_pInterval->setValue(rad::IntervalMinutesOf(values.interval));
    if (!rad::IsMinuteInterval(values.interval)) {
        m_pInterval->setEnabled(false);
        m_pSecondsInterval->setText(
            tr("Measuring every %1 seconds (set on the command line)").arg(values.interval));
        m_pSecondsInterval->show();
    }
    FillPortLists(ports);
    ToControls();
    ApplyRules();
    ConnectRules();
}

void CConfDlg::FillPortLists(const std::vector<PortEntry>& ports) {
    for (int m = 0; m < kModelCount; ++m) {
        QComboBox* list = m_pPort[m];
        list->addItem(QString(), 0);
        for (const PortEntry& port : ports) {
            list->addItem(QStringLiteral("COM%1").arg(port.number), port.number);
            list->setItemData(list->count() - 1, port.device, Qt::ToolTipRole);
        }
        // A saved port that is not offered now leaves the list without a selection.
        list->setCurrentIndex(list->findData(m_values.port[m]));
    }
}

void CConfDlg::ConnectRules() {
    for (int m = 0; m < kModelCount; ++m) {
        connect(m_pUse[m], &QCheckBox::clicked, this, [this, m] { OnUseClicked(m); });
        connect(m_pCsvModel[m], &QCheckBox::clicked, this, &CConfDlg::ApplyRules);
    }
    for (QAbstractButton* box :
         {static_cast<QAbstractButton*>(m_pCsvSave), static_cast<QAbstractButton*>(m_pPitchRaw),
          static_cast<QAbstractButton*>(m_pPitch1nm)})
        connect(box, &QAbstractButton::clicked, this, &CConfDlg::ApplyRules);
    connect(m_pRsdBrowse, &QPushButton::clicked, this,
            [this] { Browse(m_pRsdFolder, tr("RSD File Folder")); });
    connect(m_pCsvBrowse, &QPushButton::clicked, this,
            [this] { Browse(m_pCsvFolder, tr("CSV File Folder")); });
}

void CConfDlg::ToControls() {
    const ConfValues& v = m_values;
    SetChecked(m_pAutoStart, v.autoStart);
    m_pCsvFolder->setText(QString::fromStdString(v.csvFolder));
    m_pRsdFolder->setText(QString::fromStdString(v.rsdFolder));
    SetChecked(m_pCsvSave, v.csvSave);
    m_pMemo->setText(QString::fromStdString(v.memo));
    m_pIntegFrom->setText(QString::number(v.integFrom));
    m_pIntegTo->setText(QString::number(v.integTo));
    m_pCsvFrom->setText(QString::number(v.csvFrom));
    m_pCsvTo->setText(QString::number(v.csvTo));
    SetChecked(v.pitch == 0 ? m_pPitchRaw : m_pPitch1nm, true);
    SetChecked(m_pMerge, v.merge);
    for (int m = 0; m < kModelCount; ++m) {
        SetChecked(m_pCsvModel[m], v.csvModel[m]);
        SetChecked(m_pUse[m], v.use[m]);
    }
}

bool CConfDlg::FromControls(bool report) {
    ConfValues& v = m_values;
    v.autoStart = m_pAutoStart->isChecked();
    v.csvFolder = m_pCsvFolder->text().toStdString();
    v.rsdFolder = m_pRsdFolder->text().toStdString();
    v.csvSave = m_pCsvSave->isChecked();
    v.memo = m_pMemo->text().toStdString();
    v.pitch = m_pPitch1nm->isChecked() ? 1 : 0;
    v.merge = m_pMerge->isChecked();
    for (int m = 0; m < kModelCount; ++m) {
        v.csvModel[m] = m_pCsvModel[m]->isChecked();
        v.use[m] = m_pUse[m]->isChecked();
    }
    const std::pair<QLineEdit*, int*> numbers[] = {{m_pIntegFrom, &v.integFrom},
                                                   {m_pIntegTo, &v.integTo},
                                                   {m_pCsvFrom, &v.csvFrom},
                                                   {m_pCsvTo, &v.csvTo}};
    for (const auto& [edit, field] : numbers) {
        // An edit that is refused keeps the last good value until OK reports it; a greyed one
        // (the range of the raw grid) is not in use and cannot take the focus, so it is kept.
        const QString error = rad::IntegerWavelengthError(edit->text(), *field);
        if (!error.isEmpty() && report && edit->isEnabled()) return Refuse(edit, error);
    }
    if (!report) return true;
    if (const QString error = rad::IntegerRangeError(v.integFrom, v.integTo); !error.isEmpty())
        return Refuse(m_pIntegTo, error);
    const QString error = rad::IntegerRangeError(v.csvFrom, v.csvTo);
    if (!error.isEmpty() && m_pCsvTo->isEnabled()) return Refuse(m_pCsvTo, error);
    return true;
}

bool CConfDlg::Refuse(QWidget* field, const QString& message) {
    QMessageBox::warning(this, QStringLiteral("Radlog"), message);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    return false;
}

void CConfDlg::ApplyRules() {
    FromControls(false);
    rad::ApplySelectionRules(m_values);
    ToControls();
    const ConfEnabling e = rad::ComputeEnabling(m_values);
    for (int m = 0; m < kModelCount; ++m) {
        m_pPort[m]->setEnabled(e.portList[m]);
        m_pCsvModel[m]->setEnabled(e.csvModel[m]);
    }
    m_pCsvFolder->setEnabled(e.csvFolder);
    m_pCsvBrowse->setEnabled(e.csvFolder);
    m_pPitchRaw->setEnabled(e.pitch);
    m_pPitch1nm->setEnabled(e.pitch);
    m_pMerge->setEnabled(e.merge);
    m_pCsvFrom->setEnabled(e.csvRange);
    m_pCsvTo->setEnabled(e.csvRange);
}

void CConfDlg::OnUseClicked(int model) {
    FromControls(false);
    rad::ApplyPairRule(m_values, model);
    ToControls();
    ApplyRules();
}

void CConfDlg::Browse(QLineEdit* folder, const QString& title) {
    QString start = folder->text();
    while (start.size() > 1 && start.endsWith('/')) start.chop(1);
    const QString chosen = QFileDialog::getExistingDirectory(this, title, start);
    if (chosen.isEmpty()) return;
    FromControls(false);
    const std::string path = rad::WithTrailingSeparator(chosen.toStdString());
    (folder == m_pRsdFolder ? m_values.rsdFolder : m_values.csvFolder) = path;
    ToControls();
}

void CConfDlg::accept() {
    m_values.start = rad::SecondOfDay(m_pStartHour->value(), m_pStartMinute->value());
    m_values.finish = rad::SecondOfDay(m_pFinishHour->value(), m_pFinishMinute->value());
    if (m_pInterval->isEnabled()) m_values.interval = rad::IntervalSeconds(m_pInterval->value());
    for (int m = 0; m < kModelCount; ++m) {
        const int index = m_pPort[m]->currentIndex();
        if (index >= 0) m_values.port[m] = m_pPort[m]->itemData(index).toInt();
    }
    if (!FromControls(true)) return;
    // The window includes both ends; a finish not after the start would never measure.
    if (m_values.finish <= m_values.start) {
        Refuse(m_pFinishHour, tr("Please enter a finish time after the start time."));
        return;
    }
    // Files are joined to the folder by concatenation: a folder typed without its separator
    // gets it here, as Browse gives it.
    for (std::string* folder : {&m_values.rsdFolder, &m_values.csvFolder})
        if (!folder->empty()) *folder = rad::WithTrailingSeparator(*folder);
    QDialog::accept();
}
