#pragma once

#include <QDialog>
#include <functional>

#include "GraphTypes.h"
#include "SettingsBlocks.h"

class CColorButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;

// The modeless Graph Settings dialog. It edits the program's graph settings in place and calls
// refresh after every change it applies; Radview also passes its tile size ([GRAPH] CATSIZE).
class CGraphDlg : public QDialog {
    Q_OBJECT
  public:
    CGraphDlg(GraphSettings& settings, GraphProgram program, std::function<void()> refresh,
              QWidget* parent = nullptr, int* catSize = nullptr);

    // The Graph Settings command: reload from the settings, centre on the owner and show.
    void ShowDialog();

    void accept() override;

    // Controls, for the program's own wiring and for tests.
    QCheckBox* AutoScaleBox() const { return m_pAuto; }
    QCheckBox* GridBox() const { return m_pGrid; }
    QLineEdit* YTopEdit() const { return m_pYTop; }
    QLineEdit* XFromEdit() const { return m_pXFrom; }
    QLineEdit* XToEdit() const { return m_pXTo; }
    CColorButton* GraphColorButton() const { return m_pGraphColor; }
    CColorButton* FrameColorButton() const { return m_pFrameColor; }
    QButtonGroup* TileSizeGroup() const { return m_pTileSize; }

  private:
    QWidget* CreateYAxisGroup();
    QWidget* CreateXAxisGroup();
    QWidget* CreateColorRow();
    QWidget* CreateTileGroup();
    QWidget* CreateButtons();

    void TransferToDialog();
    void TransferToSettings();
    void WriteControls();
    bool ReadControls();
    bool ReadNumber(QLineEdit* edit, double& value);
    // Both X edits, taken only as a pair whose From lies below its To.
    bool ReadXRange();
    // The standard message for a refused value, the focus on its edit; always false.
    bool Refuse(QLineEdit* edit, const QString& error);
    // Apply, auto scale and Grid Line: read, store, refresh. False when a number was refused.
    bool ApplyChanges();
    void EnableYTop();

    GraphSettings& m_settings;
    int* m_pCatSize;
    GraphProgram m_program;
    std::function<void()> m_refresh;

    CColorButton* m_pGraphColor = nullptr;
    CColorButton* m_pFrameColor = nullptr;
    QCheckBox* m_pAuto = nullptr;
    QCheckBox* m_pGrid = nullptr;
    QLineEdit* m_pYTop = nullptr;
    QLineEdit* m_pXFrom = nullptr;
    QLineEdit* m_pXTo = nullptr;
    QButtonGroup* m_pTileSize = nullptr;

    int m_nGrid = 0;
    double m_dXFrom = 0;
    double m_dXTo = 0;
    double m_dYTop = 0;
    int m_nAutoScale = 0;
    int m_nTileSize = -1;
};
