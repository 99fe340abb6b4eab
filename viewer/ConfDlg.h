#pragma once

#include <QDialog>
#include <array>

#include "SettingsBlocks.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// CSV Settings: wavelength grid, range, sensor blocks and integration band of the exports.
class CConfDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CConfDlg(QWidget* parent = nullptr);

    // Settings -> controls.
    void Load(const CsvSettings& csv, const IntegSettings& integ);
    // Controls -> settings; call after the dialog was accepted.
    void Store(CsvSettings& csv, IntegSettings& integ) const;

    QCheckBox* ModelBox(int model) const { return m_pModel[static_cast<std::size_t>(model)]; }
    QRadioButton* RawButton() const { return m_pRaw; }
    QRadioButton* OneNmButton() const { return m_pOneNm; }
    QLineEdit* RangeFromEdit() const { return m_pRangeFrom; }
    QLineEdit* RangeToEdit() const { return m_pRangeTo; }
    QLineEdit* IntegToEdit() const { return m_pIntegTo; }

    void accept() override;

  private:
    QWidget* CreateIntervalGroup();
    QWidget* CreateRangeGroup();
    QWidget* CreateSelectionGroup();
    QWidget* CreateIntegrationGroup();
    void UpdateRangeEnabling();
    // The two short-wave and the two long-wave sensors exclude each other.
    void ClearPartner(int model);
    // The standard message for a refused value; the focus goes to its edit.
    void Refuse(QLineEdit* edit, const QString& message);

    QLineEdit* m_pIntegFrom = nullptr;
    QLineEdit* m_pIntegTo = nullptr;
    QRadioButton* m_pRaw = nullptr;
    QRadioButton* m_pOneNm = nullptr;
    QLineEdit* m_pRangeFrom = nullptr;
    QLineEdit* m_pRangeTo = nullptr;
    QCheckBox* m_pMerge = nullptr;
    std::array<QCheckBox*, kModelCount> m_pModel{};
};
