#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "ConfRules.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// A COM port that could be opened when the dialog was built.
struct PortEntry {
    int number = 0;  // COM number, 1..16
    QString device;  // device path the [PORTS] mapping gives it
};

// The modal Measurement Settings dialog. It edits its own copy of the values; the caller takes
// Values() back after OK.
class CConfDlg : public QDialog {
    Q_OBJECT
  public:
    CConfDlg(const ConfValues& values, const std::vector<PortEntry>& ports,
             QWidget* parent = nullptr);

    const ConfValues& Values() const { return m_values; }

  public slots:
    void accept() override;

  private:
    void BuildLayout();
    QGroupBox* BuildPortGroup();
    QGroupBox* BuildIntegGroup();
    QGroupBox* BuildTimeGroup();
    QGroupBox* BuildRsdGroup();
    QGroupBox* BuildCsvGroup();
    void FillPortLists(const std::vector<PortEntry>& ports);
    void ConnectRules();

    void ToControls();
    // Integer edits that do not hold an integer keep their old value; with `report` the first
    // such edit gets the standard message and the focus, and the result is false.
    bool FromControls(bool report);
    // The standard message for a refused value; the focus goes to its field. Always false.
    bool Refuse(QWidget* field, const QString& message);
    void ApplyRules();
    void OnUseClicked(int model);
    void Browse(QLineEdit* folder, const QString& title);

    ConfValues m_values;
    std::array<QCheckBox*, kModelCount> m_pUse{};
    std::array<QComboBox*, kModelCount> m_pPort{};
    std::array<QCheckBox*, kModelCount> m_pCsvModel{};
    QLineEdit* m_pMemo = nullptr;
    QLabel* m_pMemoHint = nullptr;  // shown once something typed or pasted did not fit
    QLineEdit* m_pIntegFrom = nullptr;
    QLineEdit* m_pIntegTo = nullptr;
    QSpinBox* m_pStartHour = nullptr;
    QSpinBox* m_pStartMinute = nullptr;
    QSpinBox* m_pFinishHour = nullptr;
    QSpinBox* m_pFinishMinute = nullptr;
    QSpinBox* m_pInterval = nullptr;
    QLabel* m_pSecondsInterval = nullptr;  // the interval the spin cannot show, read-only
    QLineEdit* m_pRsdFolder = nullptr;
    QPushButton* m_pRsdBrowse = nullptr;
    QCheckBox* m_pCsvSave = nullptr;
    QRadioButton* m_pPitchRaw = nullptr;
    QRadioButton* m_pPitch1nm = nullptr;
    QLineEdit* m_pCsvFrom = nullptr;
    QLineEdit* m_pCsvTo = nullptr;
    QCheckBox* m_pMerge = nullptr;
    QLineEdit* m_pCsvFolder = nullptr;
    QPushButton* m_pCsvBrowse = nullptr;
    QCheckBox* m_pAutoStart = nullptr;
};
