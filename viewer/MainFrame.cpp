#include "MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QProgressDialog>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

#include "BlockSerials.h"
#include "CatView.h"
#include "ChildFrame.h"
#include "FileErrorCause.h"
#include "GraphDlg.h"
#include "NativePath.h"
#include "RadviewApp.h"
#include "RadviewDoc.h"
#include "RegularFile.h"
#include "WhenExposed.h"

namespace {

// From this many files on, opening shows its progress.
constexpr int kProgressFromFiles = 4;
// A document window's size where the area has room for it.
constexpr QSize kDocumentSize(600, 450);

// Window index places down and right by step, starting again at the top left where the next
// place would leave the area; the size shrinks only to fit an area smaller than itself.
QRect CascadePlace(QSize area, int index, int step) {
    const QSize size = kDocumentSize.boundedTo(area);
    const int room = std::min(area.width() - size.width(), area.height() - size.height());
    const int places = step > 0 ? room / step + 1 : 1;
    const int k = index % std::max(places, 1);
    return QRect(QPoint(k * step, k * step), size);
}

}  // namespace

CMainFrame::CMainFrame(CRadviewApp& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_pMdi(new QMdiArea(this)), m_pPrinter(new QPrinter) {
    setWindowTitle(tr("Radview"));
    setCentralWidget(m_pMdi);
    setAcceptDrops(true);
    createQuantitiesPanel();
    createActions();
    createToolBar();
    createStatusBar();
    connect(m_pMdi, &QMdiArea::subWindowActivated, this, &CMainFrame::updateMenus);
    m_pGraphDlg = CreateViewerGraphDlg(app.Settings(), this);
    updateMenus();
}

CMainFrame::~CMainFrame() {
    // The windows go first, while the actions that their activation updates still exist.
    disconnect(m_pMdi, nullptr, this, nullptr);
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) {
        disconnect(sub, nullptr, this, nullptr);
        disconnect(sub->widget(), nullptr, this, nullptr);
    }
    delete m_pMdi;
    delete m_pPrinter;
}

CChildFrame* CMainFrame::ActiveChild() const {
    QMdiSubWindow* sub = m_pMdi->currentSubWindow();
    return sub ? qobject_cast<CChildFrame*>(sub->widget()) : nullptr;
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(sub->widget())) children.append(child);
    }
    return children;
}

QMdiSubWindow* CMainFrame::FindDocument(const QString& path) const {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(sub->widget());
        if (child && QFileInfo(child->Doc().Path()).absoluteFilePath() == wanted) return sub;
    }
    return nullptr;
}

QRect CMainFrame::NewWindowGeometry() const {
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return CascadePlace(m_pMdi->viewport()->size(),
                        static_cast<int>(m_pMdi->subWindowList().size()), step);
}

void CMainFrame::OnCascade() {
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    int index = 0;
    for (QMdiSubWindow* sub : m_pMdi->subWindowList()) {
        if (sub->isMinimized()) continue;
        sub->showNormal();
        sub->setGeometry(CascadePlace(m_pMdi->viewport()->size(), index++, step));
        sub->raise();
    }
    if (QMdiSubWindow* active = m_pMdi->activeSubWindow()) active->raise();
}

void CMainFrame::ShowWriteError(const QString& path, int error) {
    statusBar()->showMessage(tr("Cannot write %1: %2").arg(path, FileErrorCause(error)));
}

bool CMainFrame::OpenFile(const QString& path) {
    if (QMdiSubWindow* open = FindDocument(path)) {
        m_pMdi->setActiveSubWindow(open);
        return true;
    }
    auto* child = new CChildFrame(m_app);
    if (!child->OpenDocument(path)) {
        statusBar()->showMessage(tr("Cannot open %1: %2").arg(path, child->Doc().LastError()));
        delete child;
        return false;
    }
    connect(child, &CChildFrame::stateChanged, this, &CMainFrame::updateMenus);
    connect(child, &CChildFrame::contextMenuRequested, this, &CMainFrame::ShowContextMenu);
    connect(child, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateTitle);
    const QRect place = NewWindowGeometry();
    QMdiSubWindow* sub = m_pMdi->addSubWindow(child);
    connect(sub, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateTitle);
    sub->setGeometry(place);
    child->show();
    m_pMdi->setActiveSubWindow(sub);
    child->CatView()->setFocus();
    m_app.Settings().AddRecentFile(PathBytes(QFileInfo(path).absoluteFilePath()));
    UpdateRecentMenu();
    updateMenus();
    WarnSerialMismatch(path, child->Doc().Data());
    return true;
}

// A file written before a swapped sensor unit got a part of the day of its own may hold blocks
// computed with the other unit's calibration.
void CMainFrame::WarnSerialMismatch(const QString& path, const CRsdData& data) {
    const std::vector<rad::SerialMismatch> found = rad::FindSerialMismatches(data);
    if (found.empty()) return;
    statusBar()->showMessage(
        tr("Warning: %1: %2")
            .arg(QFileInfo(path).fileName(),
                 QString::fromStdString(rad::SerialMismatchText(found.front()))));
}

void CMainFrame::OpenFiles(const QStringList& paths) {
    std::unique_ptr<QProgressDialog> progress;
    if (paths.size() >= kProgressFromFiles) {
        progress = std::make_unique<QProgressDialog>(tr("Opening files..."), tr("Cancel"), 0,
                                                     static_cast<int>(paths.size()), this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
    }
    int done = 0;
    for (const QString& path : paths) {
        if (progress) {
            if (progress->wasCanceled()) break;
            progress->setLabelText(QFileInfo(path).fileName());
            progress->setValue(done);
        }
        OpenFile(path);
        ++done;
    }
}

void CMainFrame::OpenFilesWhenShown(const QStringList& paths) {
    rad::WhenExposed(this, [this, paths] { OpenFiles(paths); });
}

void CMainFrame::RefreshAll(int hint) {
    for (CChildFrame* child : Children()) child->Doc().UpdateAllViews(hint);
}

void CMainFrame::UpdateRecentMenu() {
    m_pRecentMenu->clear();
    int n = 0;
    for (const std::string& file : m_app.Settings().recentFiles) {
        const QString path = PathFromBytes(file);
        QAction* action = m_pRecentMenu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(path));
        connect(action, &QAction::triggered, this, [this, path] { OpenFile(path); });
    }
    m_pRecentMenu->setEnabled(n > 0);
}

void CMainFrame::updateMenus() {
    CChildFrame* child = ActiveChild();
    const CRadviewDoc* doc = child ? &child->Doc() : nullptr;
    const bool catalog = doc && doc->m_nViewMode == 0;
    const bool detail = doc && doc->m_nViewMode == 1;
    const bool day = doc && doc->m_nViewMode == 2;

    if (!m_bMenusBuilt || m_bDocumentMenus != (doc != nullptr)) createMenus(doc != nullptr);
    for (CommandId id :
         {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SAVE_SPECTRAL_CSV, ID_SAVE_CALC_CSV,
          ID_CSV_SETTINGS, ID_GRAPH_SETTINGS, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ})
        Action(id)->setEnabled(doc != nullptr);
    Action(ID_TILE_SIZE)->setEnabled(false);
    Action(ID_FILE_PRINT)->setEnabled(detail || day);
    Action(ID_FILE_PRINT_PREVIEW)->setEnabled(detail || day);
    Action(ID_EDIT_COPY)->setEnabled(detail || day);
    Action(ID_DAY_VIEW)->setEnabled(doc && !day);
    Action(ID_SAVE_DAY_CSV)->setEnabled(day);
    for (CommandId id : {ID_SAVE_DAY_PICTURE, ID_NEXT_DAY, ID_PREV_DAY, ID_ALL_DAYS})
        Action(id)->setEnabled(day);
    Action(ID_EDIT_SELECT_ALL)->setEnabled(catalog);
    Action(ID_DELETE)->setEnabled(catalog && doc->SelectedCount() > 0);
    Action(ID_TILED_DATA)->setEnabled(doc && doc->m_nViewMode != 0);
    Action(ID_SELECTED_DATA)->setEnabled(doc && doc->m_nViewMode != 1);
    Action(ID_NEXT_DATA)->setEnabled(doc && doc->CanNext());
    Action(ID_PREV_DATA)->setEnabled(doc && doc->CanPrevious());
    UpdateQuantitiesPanel();
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    QMdiSubWindow* sub = m_pMdi->currentSubWindow();
    // The MDI area itself adds a maximised document's name: "Radview - [a.rsd]".
    if (!sub || sub->isMaximized())
        setWindowTitle(tr("Radview"));
    else
        setWindowTitle(tr("Radview - %1").arg(sub->widget()->windowTitle().remove("[*]")));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (CChildFrame* child : Children()) {
        if (!child->MaySave()) {
            event->ignore();
            return;
        }
    }
    // The question has been asked: close the windows without asking again.
    for (CChildFrame* child : Children()) child->Doc().SetModified(false);
    m_pMdi->closeAllSubWindows();
    m_app.SaveSettings();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.append(PathFromFileUrl(url));
    }
    OpenFiles(paths);
    event->acceptProposedAction();
}
