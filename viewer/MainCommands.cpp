// Command handlers of the main window.
#include <QFileDialog>
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
#include "GraphDlg.h"
#include "MainFrame.h"
#include "MenuPrompts.h"
#include "NativePath.h"
#include "QuantitiesPanel.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "UniView.h"

namespace {

QString CsvFileName(QWidget* parent) {
    QFileDialog dialog(parent, CMainFrame::tr("Save with CSV Format"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setNameFilters({CMainFrame::tr("CSV Files(*.csv)"), CMainFrame::tr("All files(*.*)")});
    dialog.setOption(QFileDialog::ReadOnly, false);
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

void CMainFrame::OnSaveSpectralCsv() {
    CChildFrame* child = ActiveChild();
    if (!child) return;
    const QString path = CsvFileName(this);
    if (path.isEmpty()) return;
    if (child->Doc().ExportSpectralCsv(PathBytes(path))) {
        m_app.Settings().csvFolder = path.toStdString();
        return;
    }
    ShowWriteError(path, errno);
    QMessageBox::warning(this, tr("Radview"), QStringLiteral("Error!\nOnFileSaveCsv"));
}

void CMainFrame::OnSaveCalcCsv() {
    CChildFrame* child = ActiveChild();
    if (!child) return;
    const QString path = CsvFileName(this);
    // No message box for this export; the status bar says when the file cannot be written.
    if (!path.isEmpty() && child->Doc().ExportCalcCsv(PathBytes(path)) < 0) {
        ShowWriteError(path, errno);
    }
}

void CMainFrame::OnCsvSettings() {
    RadviewSettings& settings = m_app.Settings();
    CConfDlg dialog(this);
    dialog.Load(settings.csv, settings.integ);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.Store(settings.csv, settings.integ);
    m_app.SaveSettings();
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
    const QString path = CsvFileName(this);
    if (!path.isEmpty() && !child->DayView()->ExportCsv(PathBytes(path))) {
        ShowWriteError(path, errno);
        QMessageBox::warning(this, tr("Radview"),
                             tr("The file %1 could not be written.").arg(path));
    }
}

void CMainFrame::UpdateQuantitiesPanel() {
    if (!m_pQuantities || m_pQuantities->isHidden()) return;
    CChildFrame* child = ActiveChild();
    if (child && child->Doc().m_nViewMode == 1)
        m_pQuantities->ShowRecords(&child->Doc().Data(), child->Doc().m_shownIndices);
    else
        m_pQuantities->ShowRecords(nullptr, {});
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
