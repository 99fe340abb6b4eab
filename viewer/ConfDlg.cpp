#include "ConfDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "SensorModel.h"
#include "WavelengthEdit.h"

namespace {

QLineEdit* IntegerEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaximumWidth(80);
    return edit;
}

void SetInt(QLineEdit* edit, int value) { edit->setText(QString::number(value)); }

int GetInt(const QLineEdit* edit) { return edit->text().trimmed().toInt(); }

QWidget* FromToGroup(const QString& title, QLineEdit* from, QLineEdit* to) {
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    form->addRow(CConfDlg::tr("From"), from);
    form->addRow(CConfDlg::tr("To"), to);
    return group;
}

}  // namespace

CConfDlg::CConfDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("CSV Settings"));
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(CreateIntervalGroup());
    left->addWidget(CreateRangeGroup());
    auto* right = new QVBoxLayout;
    right->addWidget(CreateSelectionGroup());
    right->addWidget(CreateIntegrationGroup());
    columns->addLayout(left);
    columns->addLayout(right);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CConfDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CConfDlg::reject);

    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addWidget(buttons);
    UpdateRangeEnabling();
}

QWidget* CConfDlg::CreateIntervalGroup() {
    auto* group = new QGroupBox(tr("Wavelength Interval"));
    m_pRaw = new QRadioButton(tr("Raw"), group);
    m_pOneNm = new QRadioButton(tr("1nm"), group);
    auto* box = new QVBoxLayout(group);
    box->addWidget(m_pRaw);
    box->addWidget(m_pOneNm);
    connect(m_pRaw, &QRadioButton::clicked, this, &CConfDlg::UpdateRangeEnabling);
    connect(m_pOneNm, &QRadioButton::clicked, this, &CConfDlg::UpdateRangeEnabling);
    return group;
}

QWidget* CConfDlg::CreateRangeGroup() {
    m_pRangeFrom = IntegerEdit(this);
    m_pRangeTo = IntegerEdit(this);
    return FromToGroup(tr("Wavelength Range(nm)"), m_pRangeFrom, m_pRangeTo);
}

QWidget* CConfDlg::CreateSelectionGroup() {
    auto* group = new QGroupBox(tr("Data Selection"));
    auto* box = new QVBoxLayout(group);
    for (int m = 0; m < kModelCount; ++m) {
        auto* check =
            new QCheckBox(QString::fromLatin1(kModels[static_cast<std::size_t>(m)].label), group);
        m_pModel[static_cast<std::size_t>(m)] = check;
        box->addWidget(check);
        connect(check, &QCheckBox::clicked, this, [this, m] { ClearPartner(m); });
    }
    m_pMerge = new QCheckBox(tr("Merge"), group);
    box->addWidget(m_pMerge);
    return group;
}

QWidget* CConfDlg::CreateIntegrationGroup() {
    m_pIntegFrom = IntegerEdit(this);
    m_pIntegTo = IntegerEdit(this);
    return FromToGroup(tr("Integration Range(nm)"), m_pIntegFrom, m_pIntegTo);
}

void CConfDlg::UpdateRangeEnabling() {
    const bool oneNm = m_pOneNm->isChecked();
    m_pRangeFrom->setEnabled(oneNm);
    m_pRangeTo->setEnabled(oneNm);
}

void CConfDlg::ClearPartner(int model) {
    m_pModel[static_cast<std::size_t>(ModelInfo(model).partner)]->setChecked(false);
}

void CConfDlg::Load(const CsvSettings& csv, const IntegSettings& integ) {
    SetInt(m_pIntegFrom, integ.left);
    SetInt(m_pIntegTo, integ.right);
    (csv.pitch == 0 ? m_pRaw : m_pOneNm)->setChecked(true);
    SetInt(m_pRangeFrom, csv.left);
    SetInt(m_pRangeTo, csv.right);
    m_pMerge->setChecked(csv.merge);
    for (int m = 0; m < kModelCount; ++m)
        m_pModel[static_cast<std::size_t>(m)]->setChecked(csv.models[static_cast<std::size_t>(m)]);
    UpdateRangeEnabling();
}

void CConfDlg::Store(CsvSettings& csv, IntegSettings& integ) const {
    integ.left = GetInt(m_pIntegFrom);
    integ.right = GetInt(m_pIntegTo);
    csv.pitch = m_pOneNm->isChecked() ? 1 : 0;
    csv.left = GetInt(m_pRangeFrom);
    csv.right = GetInt(m_pRangeTo);
    csv.merge = m_pMerge->isChecked();
    for (int m = 0; m < kModelCount; ++m)
        csv.models[static_cast<std::size_t>(m)] =
            m_pModel[static_cast<std::size_t>(m)]->isChecked();
}

void CConfDlg::accept() {
    // Greyed range edits (the raw grid) are not in use and cannot take the focus: a value
    // refused there is kept as it was loaded instead of locking the dialog.
    for (QLineEdit* edit : {m_pIntegFrom, m_pIntegTo, m_pRangeFrom, m_pRangeTo}) {
        if (!edit->isEnabled()) continue;
        int value = 0;
        const QString error = rad::IntegerWavelengthError(edit->text(), value);
        if (!error.isEmpty()) return Refuse(edit, error);
    }
    for (const auto& [from, to] :
         {std::pair{m_pIntegFrom, m_pIntegTo}, {m_pRangeFrom, m_pRangeTo}}) {
        if (!to->isEnabled()) continue;
        const QString error = rad::IntegerRangeError(GetInt(from), GetInt(to));
        if (!error.isEmpty()) return Refuse(to, error);
    }
    QDialog::accept();
}

void CConfDlg::Refuse(QLineEdit* edit, const QString& message) {
    QMessageBox::warning(this, windowTitle(), message);
    edit->setFocus();
    edit->selectAll();
}
