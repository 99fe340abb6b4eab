#include "GraphDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "ColorButton.h"
#include "WavelengthEdit.h"

namespace {

constexpr std::array<const char*, 4> kTileSizeTexts = {"40x30", "80x60", "160x120", "240x180"};

QString NumberText(double value) { return QString::number(value, 'g', 15); }

}  // namespace

CGraphDlg::CGraphDlg(GraphSettings& settings, GraphProgram program, std::function<void()> refresh,
                     QWidget* parent, int* catSize)
    : QDialog(parent),
      m_settings(settings),
      m_pCatSize(catSize),
      m_program(program),
      m_refresh(std::move(refresh)) {
    setWindowTitle(tr("Graph Settings"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* axes = new QHBoxLayout;
    axes->addWidget(CreateYAxisGroup());
    axes->addWidget(CreateXAxisGroup());
    layout->addLayout(axes);
    layout->addWidget(CreateColorRow());
    m_pGrid = new QCheckBox(tr("Grid Line"), this);
    layout->addWidget(m_pGrid);
    if (m_pCatSize) layout->addWidget(CreateTileGroup());
    layout->addWidget(CreateButtons());

    connect(m_pAuto, &QCheckBox::clicked, this, &CGraphDlg::ApplyChanges);
    connect(m_pGrid, &QCheckBox::clicked, this, &CGraphDlg::ApplyChanges);
    TransferToDialog();
    WriteControls();
}

QWidget* CGraphDlg::CreateYAxisGroup() {
    auto* group = new QGroupBox(tr("Y-Axis"), this);
    auto* layout = new QGridLayout(group);
    m_pAuto = new QCheckBox(m_program == GraphProgram::Radlog ? tr("Auto") : tr("AUTO"), group);
    m_pYTop = new QLineEdit(group);
    layout->addWidget(m_pAuto, 0, 0, 1, 2);
    layout->addWidget(m_pYTop, 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("W/m2/um"), group), 1, 1);
    return group;
}

QWidget* CGraphDlg::CreateXAxisGroup() {
    auto* group = new QGroupBox(
        m_program == GraphProgram::Radlog ? tr("X-Axis[nm]") : tr("X-Axis(nm)"), this);
    auto* layout = new QHBoxLayout(group);
    m_pXFrom = new QLineEdit(group);
    m_pXTo = new QLineEdit(group);
    // Before the first edit, between the edits, after the second; the languages place the
    // words differently, so the three labels are translated together.
    const QStringList words = tr("From|To|").split(QLatin1Char('|'));
    auto label = [&](qsizetype i) {
        return new QLabel(i < words.size() ? words[i] : QString(), group);
    };
    layout->addWidget(label(0));
    layout->addWidget(m_pXFrom);
    layout->addWidget(label(1));
    layout->addWidget(m_pXTo);
    layout->addWidget(label(2));
    return group;
}

QWidget* CGraphDlg::CreateColorRow() {
    auto* row = new QWidget(this);
    auto* layout = new QGridLayout(row);
    m_pGraphColor = new CColorButton(row);
    m_pFrameColor = new CColorButton(row);
    m_pGraphColor->setMinimumSize(48, 24);
    m_pFrameColor->setMinimumSize(48, 24);
    layout->addWidget(new QLabel(tr("Graph Color"), row), 0, 0);
    layout->addWidget(new QLabel(tr("Frame Color"), row), 0, 1);
    layout->addWidget(m_pGraphColor, 1, 0);
    layout->addWidget(m_pFrameColor, 1, 1);
    return row;
}

QWidget* CGraphDlg::CreateTileGroup() {
    auto* group = new QGroupBox(tr("Tile Size"), this);
    auto* layout = new QHBoxLayout(group);
    m_pTileSize = new QButtonGroup(group);
    for (std::size_t i = 0; i < kTileSizeTexts.size(); ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(kTileSizeTexts[i]), group);
        m_pTileSize->addButton(radio, static_cast<int>(i));
        layout->addWidget(radio);
    }
    return group;
}

QWidget* CGraphDlg::CreateButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    auto* ok = new QPushButton(tr("OK"), row);
    auto* apply = new QPushButton(tr("Apply"), row);
    auto* cancel = new QPushButton(tr("Cancel"), row);
    ok->setDefault(true);
    layout->addStretch();
    layout->addWidget(ok);
    layout->addWidget(apply);
    layout->addWidget(cancel);
    connect(ok, &QPushButton::clicked, this, &CGraphDlg::accept);
    connect(apply, &QPushButton::clicked, this, &CGraphDlg::ApplyChanges);
    connect(cancel, &QPushButton::clicked, this, &CGraphDlg::reject);
    return row;
}

void CGraphDlg::ShowDialog() {
    TransferToDialog();
    WriteControls();
    if (QWidget* owner = parentWidget()) {
        adjustSize();
        move(owner->frameGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void CGraphDlg::accept() {
    if (ApplyChanges()) hide();
}

void CGraphDlg::TransferToDialog() {
    m_pGraphColor->SetColor(m_settings.color0);
    m_pFrameColor->SetColor(m_settings.color1);
    m_nAutoScale = m_settings.autoScale ? 1 : 0;
    m_nGrid = m_settings.grid ? 1 : 0;
    m_dXFrom = m_settings.left;
    m_dXTo = m_settings.right;
    m_dYTop = m_settings.top;
    if (m_pCatSize) m_nTileSize = *m_pCatSize;
    EnableYTop();
}

void CGraphDlg::TransferToSettings() {
    m_settings.color0 = m_pGraphColor->GetColor();
    m_settings.color1 = m_pFrameColor->GetColor();
    m_settings.autoScale = m_nAutoScale != 0;
    m_settings.grid = m_nGrid != 0;
    m_settings.left = m_dXFrom;
    m_settings.right = m_dXTo;
    m_settings.top = m_dYTop;
    if (m_pCatSize) *m_pCatSize = m_nTileSize;
    EnableYTop();
}

void CGraphDlg::WriteControls() {
    m_pGrid->setChecked(m_nGrid != 0);
    m_pXFrom->setText(NumberText(m_dXFrom));
    m_pXTo->setText(NumberText(m_dXTo));
    m_pYTop->setText(NumberText(m_dYTop));
    m_pAuto->setChecked(m_nAutoScale != 0);
    if (m_pTileSize) {
        // No radio is checked for an index outside the group.
        m_pTileSize->setExclusive(false);
        for (QAbstractButton* radio : m_pTileSize->buttons())
            radio->setChecked(m_pTileSize->id(radio) == m_nTileSize);
        m_pTileSize->setExclusive(true);
    }
}

bool CGraphDlg::ReadNumber(QLineEdit* edit, double& value) {
    QString error;
    if (edit == m_pYTop) {
        if (!rad::ParseNumber(edit->text(), value)) error = tr("Please enter a number.");
    } else {
        error = rad::NumberWavelengthError(edit->text(), value);
    }
    return error.isEmpty() || Refuse(edit, error);
}

bool CGraphDlg::ReadXRange() {
    double from = m_dXFrom;
    double to = m_dXTo;
    if (!ReadNumber(m_pXFrom, from)) return false;
    if (!ReadNumber(m_pXTo, to)) {
        // What was read before the refused number is applied, but never as a reversed pair.
        if (rad::NumberRangeError(from, m_dXTo).isEmpty()) m_dXFrom = from;
        return false;
    }
    if (const QString error = rad::NumberRangeError(from, to); !error.isEmpty())
        return Refuse(m_pXTo, error);
    m_dXFrom = from;
    m_dXTo = to;
    return true;
}

bool CGraphDlg::Refuse(QLineEdit* edit, const QString& error) {
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), error, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool CGraphDlg::ReadControls() {
    m_nGrid = m_pGrid->isChecked() ? 1 : 0;
    if (!ReadXRange() || !ReadNumber(m_pYTop, m_dYTop)) return false;
    m_nAutoScale = m_pAuto->isChecked() ? 1 : 0;
    if (m_pTileSize) m_nTileSize = m_pTileSize->checkedId();
    return true;
}

bool CGraphDlg::ApplyChanges() {
    const bool complete = ReadControls();
    // What was read before a refused number is applied with the rest unchanged.
    TransferToSettings();
    if (m_refresh) m_refresh();
    return complete;
}

void CGraphDlg::EnableYTop() { m_pYTop->setEnabled(m_nAutoScale == 0); }
