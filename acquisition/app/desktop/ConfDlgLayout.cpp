// The controls of the Measurement Settings dialog, group by group in their order.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "RadlogConfDlg.h"
#include "SensorModel.h"

namespace {

QSpinBox* MakeSpin(QWidget* parent, const char* name, int low, int high) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    spin->setWrapping(true);
    spin->setGroupSeparatorShown(false);
    return spin;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int width = 0) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (width > 0) edit->setMaximumWidth(width);
    return edit;
}

// "From" edit "To" edit, as both range groups have it.
void AddRange(QGridLayout* grid, int row, QLineEdit* from, QLineEdit* to) {
    grid->addWidget(new QLabel(CConfDlg::tr("From")), row, 0);
    grid->addWidget(from, row, 1);
    grid->addWidget(new QLabel(CConfDlg::tr("To")), row, 2);
    grid->addWidget(to, row, 3);
}

// A folder edit with its Browse button on one row.
void AddFolderRow(QGridLayout* grid, int row, QWidget* parent, const char* name, QLineEdit*& edit,
                  QPushButton*& browse) {
    edit = MakeEdit(parent, name);
    browse = new QPushButton(CConfDlg::tr("Browse"), parent);
    browse->setObjectName(QString(name).replace("Folder", "Browse"));
    grid->addWidget(edit, row, 0);
    grid->addWidget(browse, row, 1);
}

}  // namespace

void CConfDlg::BuildLayout() {
    setObjectName("CConfDlg");
    setWindowTitle(tr("Measurement Settings"));
    auto* left = new QVBoxLayout;
    left->addWidget(BuildPortGroup());
    auto* memoGroup = new QGroupBox(tr("User Comment"), this);
    m_pMemo = MakeEdit(memoGroup, "memo");
    m_pMemoHint = new QLabel(tr("At most 31 bytes (10 Japanese characters), no commas"), memoGroup);
    m_pMemoHint->setObjectName("memoHint");
    m_pMemoHint->setWordWrap(true);
    m_pMemoHint->hide();
    auto* memoLayout = new QVBoxLayout(memoGroup);
    memoLayout->addWidget(m_pMemo);
    memoLayout->addWidget(m_pMemoHint);
    left->addWidget(memoGroup);
    left->addWidget(BuildIntegGroup());
    left->addWidget(BuildTimeGroup());
    m_pAutoStart = new QCheckBox(tr("Auto-Start  after\nSoftware Starting"), this);
    m_pAutoStart->setObjectName("autoStart");
    left->addWidget(m_pAutoStart);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(BuildRsdGroup());
    right->addWidget(BuildCsvGroup());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CConfDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CConfDlg::reject);
    right->addWidget(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
}

QGroupBox* CConfDlg::BuildPortGroup() {
    auto* group = new QGroupBox(tr("COM Port"), this);
    auto* grid = new QGridLayout(group);
    for (int m = 0; m < kModelCount; ++m) {
        m_pUse[m] = new QCheckBox(ModelInfo(m).label, group);
        m_pUse[m]->setObjectName(QStringLiteral("use%1").arg(m));
        m_pPort[m] = new QComboBox(group);
        m_pPort[m]->setObjectName(QStringLiteral("port%1").arg(m));
        m_pPort[m]->setMinimumWidth(100);
        grid->addWidget(m_pUse[m], m / 2, (m % 2) * 2);
        grid->addWidget(m_pPort[m], m / 2, (m % 2) * 2 + 1);
    }
    return group;
}

QGroupBox* CConfDlg::BuildIntegGroup() {
    auto* group = new QGroupBox(tr("Integration Range(nm)"), this);
    m_pIntegFrom = MakeEdit(group, "integFrom", 80);
    m_pIntegTo = MakeEdit(group, "integTo", 80);
    AddRange(new QGridLayout(group), 0, m_pIntegFrom, m_pIntegTo);
    return group;
}

QGroupBox* CConfDlg::BuildTimeGroup() {
    auto* group = new QGroupBox(tr("Measurement Time"), this);
    auto* grid = new QGridLayout(group);
    m_pStartHour = MakeSpin(group, "startHour", 0, kHourMax);
    m_pStartMinute = MakeSpin(group, "startMinute", 0, kMinuteMax);
    m_pFinishHour = MakeSpin(group, "finishHour", 0, kHourMax);
    m_pFinishMinute = MakeSpin(group, "finishMinute", 0, kMinuteMax);
    m_pInterval = MakeSpin(group, "interval", kIntervalMinMinutes, kIntervalMaxMinutes);
    QSpinBox* rows[2][2] = {{m_pStartHour, m_pStartMinute}, {m_pFinishHour, m_pFinishMinute}};
    const QString names[2] = {tr("Start"), tr("Finish")};
    for (int r = 0; r < 2; ++r) {
        grid->addWidget(new QLabel(names[r], group), r, 0);
        grid->addWidget(rows[r][0], r, 1);
        grid->addWidget(new QLabel(tr(":"), group), r, 2);
        grid->addWidget(rows[r][1], r, 3);
    }
    // One translatable phrase around the spin, so each language puts its words where it needs.
    const QStringList every = tr("Every %1 minutes").split("%1");
    auto* line = new QHBoxLayout;
    if (!every.value(0).trimmed().isEmpty()) line->addWidget(new QLabel(every.value(0).trimmed()));
    line->addWidget(m_pInterval);
    line->addWidget(new QLabel(every.value(1).trimmed(), group));
    line->addStretch(1);
    grid->addLayout(line, 2, 0, 1, 4);
    m_pSecondsInterval = new QLabel(group);
    m_pSecondsInterval->setObjectName("secondsInterval");
    m_pSecondsInterval->hide();
    grid->addWidget(m_pSecondsInterval, 3, 0, 1, 4);
    return group;
}

QGroupBox* CConfDlg::BuildRsdGroup() {
    auto* group = new QGroupBox(tr("RSD Format data"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("File Name:\"YYYYMMDD.rsd\" (Daily)"), group), 0, 0, 1, 2);
    AddFolderRow(grid, 1, group, "rsdFolder", m_pRsdFolder, m_pRsdBrowse);
    return group;
}

QGroupBox* CConfDlg::BuildCsvGroup() {
    auto* group = new QGroupBox(tr("CSV Format data"), this);
    auto* grid = new QGridLayout(group);
    m_pCsvSave = new QCheckBox(tr("Save - File Name:\"YYYYMMDDhh.csv\" (Hourly)"), group);
    m_pCsvSave->setObjectName("csvSave");
    grid->addWidget(m_pCsvSave, 0, 0, 1, 2);

    auto* pitch = new QGroupBox(tr("Wavelength Interval"), group);
    m_pPitchRaw = new QRadioButton(tr("Raw"), pitch);
    m_pPitchRaw->setObjectName("pitchRaw");
    m_pPitch1nm = new QRadioButton(QStringLiteral("1nm"), pitch);
    m_pPitch1nm->setObjectName("pitch1nm");
    auto* pitchRow = new QHBoxLayout(pitch);
    pitchRow->addWidget(m_pPitchRaw);
    pitchRow->addWidget(m_pPitch1nm);
    grid->addWidget(pitch, 1, 0, 1, 2);

    auto* range = new QGroupBox(tr("Wavelength Range(nm)"), group);
    m_pCsvFrom = MakeEdit(range, "csvFrom", 80);
    m_pCsvTo = MakeEdit(range, "csvTo", 80);
    AddRange(new QGridLayout(range), 0, m_pCsvFrom, m_pCsvTo);
    grid->addWidget(range, 2, 0, 1, 2);

    auto* selection = new QGroupBox(tr("Data Selection"), group);
    auto* selectionRow = new QHBoxLayout(selection);
    for (int m = 0; m < kModelCount; ++m) {
        m_pCsvModel[m] = new QCheckBox(ModelInfo(m).label, selection);
        m_pCsvModel[m]->setObjectName(QStringLiteral("csvModel%1").arg(m));
        selectionRow->addWidget(m_pCsvModel[m]);
    }
    m_pMerge = new QCheckBox(tr("Merge"), selection);
    m_pMerge->setObjectName("merge");
    selectionRow->addWidget(m_pMerge);
    grid->addWidget(selection, 3, 0, 1, 2);

    AddFolderRow(grid, 4, group, "csvFolder", m_pCsvFolder, m_pCsvBrowse);
    return group;
}
