// Command handlers of the main window.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <cerrno>

#include "AboutDlg.h"
#include "CatView.h"
#include "ChildFrame.h"
#include "ConfDlg.h"
#include "DayView.h"
#include "FileErrorCause.h"
#include "GraphDlg.h"
#include "MainFrame.h"
#include "MenuPrompts.h"
#include "NativePath.h"
#include "QuantitiesPanel.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "RegularFile.h"
#include "SettingsBlocks.h"
#include "UniView.h"

namespace {

// The save dialog of every CSV export: in the folder of the last export, proposing the
// document's base name.
QString CsvFileName(QWidget* parent, const std::string& folder, const QString& document) {
    QFileDialog dialog(parent, CMainFrame::tr("Save with CSV Format"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setNameFilters({CMainFrame::tr("CSV Files(*.csv)"), CMainFrame::tr("All files(*.*)")});
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!folder.empty()) dialog.setDirectory(QString::fromStdString(folder));
    dialog.selectFile(QFileInfo(document).completeBaseName() + QStringLiteral(".csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace

QString RsdFileFilter() { return CMainFrame::tr("RSD Files (*.rsd *.RSD)"); }

CGraphDlg* CreateViewerGraphDlg(RadviewSettings& settings, CMainFrame* frame) {
    auto* dialog = new CGraphDlg(
        settings.graph, GraphProgram::Radview, [frame] { frame->RefreshAll(kHintRebuildTiles); },
        frame, &settings.catSize);
    dialog->hide();
    return dialog;
}

void CMainFrame::OnFileOpen() {
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, tr("Open"), QString(), RsdFileFilter());
    OpenFiles(paths);
}

void CMainFrame::OnSave() {
    if (CChildFrame* child = ActiveChild()) child->SaveDocument(false);
}

void CMainFrame::OnSaveAs() {
    if (CChildFrame* child = ActiveChild()) child->SaveDocument(true);
}

QString CMainFrame::AskCsvPath(const CChildFrame& child) {
    return CsvFileName(this, m_app.ExportFolder(), child.Doc().Path());
}

bool CMainFrame::ReportExport(const QString& path, int result) {
    if (result >= 0) {
        m_app.SetExportFolder(QFileInfo(path).absolutePath().toStdString());
        return true;
    }
    const QString cause =
        result == kExportRangeRefused
            ? tr("the wavelength range is not an increasing range within 0..%1 nm")
                  .arg(kMaxWavelengthNm)
            : FileErrorCause(errno);
    QMessageBox::warning(
        this, tr("Radview"),
        tr("The CSV file %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), cause));
    return false;
}

void CMainFrame::OnSaveSpectralCsv() {
    CChildFrame* child = ActiveChild();
    if (!child) return;
    const QString path = AskCsvPath(*child);
    if (!path.isEmpty() && ReportExport(path, child->Doc().ExportSpectralCsv(PathBytes(path))))
        m_app.Settings().csvFolder = path.toStdString();
}

void CMainFrame::OnSaveCalcCsv() {
    CChildFrame* child = ActiveChild();
    if (!child) return;
    const QString path = AskCsvPath(*child);
    if (!path.isEmpty()) ReportExport(path, child->Doc().ExportCalcCsv(PathBytes(path)));
}

void CMainFrame::OnCsvSettings() {
    RadviewSettings& settings = m_app.Settings();
    CConfDlg dialog(this);
    dialog.Load(settings.csv, settings.integ);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.Store(settings.csv, settings.integ);
    m_app.SaveSettings();
    // The shown records' integral texts follow the new band at once, not at the next record.
    for (CChildFrame* child : Children())
        if (child->Doc().m_nViewMode == 1) child->Doc().PrepareShown();
    RefreshAll(kHintRebuildTiles);
}

void CMainFrame::OnPrint() {
    CChildFrame* child = ActiveChild();
    if (child && child->Doc().m_nViewMode == 2)
        child->DayView()->Print(*m_pPrinter);
    else if (child && child->UniView())
        child->UniView()->Print(*m_pPrinter);
}

void CMainFrame::OnPrintPreview() {
    CChildFrame* child = ActiveChild();
    if (child && child->Doc().m_nViewMode == 2)
        child->DayView()->PrintPreview(*m_pPrinter);
    else if (child && child->UniView())
        child->UniView()->PrintPreview(*m_pPrinter);
}

void CMainFrame::OnPrinterSettings() {
    QPageSetupDialog dialog(m_pPrinter, this);
    dialog.exec();
}

void CMainFrame::OnCopy() {
    // Ctrl+C in the Quantities panel copies its rows, not the graph beside it.
    if (m_pQuantities && m_pQuantities->isVisible() && m_pQuantities->isAncestorOf(focusWidget())) {
        m_pQuantities->CopySelection();
        return;
    }
    CChildFrame* child = ActiveChild();
    if (child && child->UniView() && child->Doc().m_nViewMode == 1) child->UniView()->Copy();
    if (child && child->Doc().m_nViewMode == 2) child->DayView()->Copy();
}

void CMainFrame::OnDayView() {
    if (CChildFrame* child = ActiveChild()) child->PostSwitchView(2);
}

void CMainFrame::OnSaveDayCsv() {
    CChildFrame* child = ActiveChild();
    if (!child || child->Doc().m_nViewMode != 2) return;
    const QString path = AskCsvPath(*child);
    if (!path.isEmpty())
        ReportExport(path, child->DayView()->ExportCsv(PathBytes(path)) ? kExportWritten
                                                                        : kExportNotWritable);
}

CDayView* CMainFrame::ActiveDayView() {
    CChildFrame* child = ActiveChild();
    return child && child->Doc().m_nViewMode == 2 ? child->DayView() : nullptr;
}

void CMainFrame::OnSaveDayPicture() {
    if (CDayView* view = ActiveDayView()) view->SavePictureAs();
}

void CMainFrame::OnNextDay() {
    if (CDayView* view = ActiveDayView()) view->NextDay();
}

void CMainFrame::OnPreviousDay() {
    if (CDayView* view = ActiveDayView()) view->PreviousDay();
}

void CMainFrame::OnAllDays() {
    if (CDayView* view = ActiveDayView()) view->ShowAllDays();
}

void CMainFrame::UpdateQuantitiesPanel() {
    if (!m_pQuantities || m_pQuantities->isHidden()) return;
    CChildFrame* child = ActiveChild();
    const int mode = child ? child->Doc().m_nViewMode : -1;
    if (mode == 1) {
        m_pQuantities->ShowRecords(&child->Doc().Data(), child->Doc().m_shownIndices,
                                   tr("No record is shown."));
    } else {
        const QString hint =
            mode == 0   ? tr("Select records and choose Selected Data (or double-click a tile) "
                               "to list their quantities here.")
            : mode == 2 ? tr("Double-click a point of the day curve to list that record's "
                             "quantities here.")
                        : tr("Open a file and show its records in detail to list their "
                             "quantities here.");
        m_pQuantities->ShowRecords(nullptr, {}, hint);
    }
    // Opened as wide as its values need, but never narrower than the user made it.
    const int wanted = std::min(m_pQuantities->PreferredWidth(), width() / 2);
    if (m_pQuantities->width() < wanted) resizeDocks({m_pQuantities}, {wanted}, Qt::Horizontal);
}

void CMainFrame::OnSelectAll() {
    if (CChildFrame* child = ActiveChild()) child->Doc().SelectAll();
}

void CMainFrame::OnDelete() {
    if (CChildFrame* child = ActiveChild()) child->Doc().DeleteSelected();
}

void CMainFrame::OnTiledData() {
    if (CChildFrame* child = ActiveChild()) child->PostSwitchView(0);
}

void CMainFrame::OnSelectedData() {
    CChildFrame* child = ActiveChild();
    if (!child) return;
    child->Doc().ShowSelected();
    child->PostSwitchView(1);
}

void CMainFrame::OnGraphSettings() { m_pGraphDlg->ShowDialog(); }

void CMainFrame::OnNext() {
    if (CChildFrame* child = ActiveChild()) child->Doc().Next();
}

void CMainFrame::OnPrevious() {
    if (CChildFrame* child = ActiveChild()) child->Doc().Previous();
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::ShowContextMenu(QPoint globalPos) {
    // Menu 139 has texts of its own; each entry runs and greys like the main command.
    const std::pair<CommandId, QString> entries[] = {
        {ID_EDIT_COPY, tr("&Copy", "context menu")},
        {ID_DELETE, tr("&Delete", "context menu")},
        {ID_TILED_DATA, tr("Tiled Data", "context menu")},
        {ID_SELECTED_DATA, tr("Selected Data", "context menu")},
        {ID_DAY_VIEW, tr("Day View", "context menu")},
        {ID_GRAPH_SETTINGS, tr("&Graph Settings", "context menu")},
    };
    QMenu menu(this);
    rad::ShowMenuPrompts(&menu, statusBar());
    for (const auto& [id, text] : entries) {
        if (id == ID_TILED_DATA || id == ID_GRAPH_SETTINGS) menu.addSeparator();
        QAction* command = Action(id);
        QAction* entry = menu.addAction(text, command, &QAction::trigger);
        entry->setEnabled(command->isEnabled());
        entry->setStatusTip(command->statusTip());
    }
    menu.exec(globalPos);
}
