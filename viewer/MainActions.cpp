// Actions, menus and toolbar of the main window.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "MainFrame.h"

namespace {

const CommandText& TextOf(CommandId id) {
    for (const CommandText& c : CommandTexts()) {
        if (c.id == id) return c;
    }
    throw std::logic_error("command without texts");
}

QString Tr(const char* text) { return QCoreApplication::translate("CMainFrame", text); }

}  // namespace

QAction* CMainFrame::AddAction(CommandId id) {
    const CommandText& c = TextOf(id);
    auto* action = new QAction(Tr(c.text), this);
    action->setStatusTip(Tr(c.prompt));
    if (*c.tip) action->setToolTip(Tr(c.tip));
    addAction(action);  // shortcuts work whichever menu is shown
    m_actions[id] = action;
    return action;
}

QAction* CMainFrame::Connect(CommandId id, void (CMainFrame::*slot)()) {
    QAction* action = AddAction(id);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void CMainFrame::createActions() {
    createFileActions();
    createEditActions();
    createViewActions();
    createWindowActions();
    Connect(ID_APP_ABOUT, &CMainFrame::OnAbout);
}

void CMainFrame::createFileActions() {
    Connect(ID_FILE_OPEN, &CMainFrame::OnFileOpen)->setShortcut(QKeySequence::Open);
    connect(AddAction(ID_FILE_CLOSE), &QAction::triggered, this,
            [this] { m_pMdi->closeActiveSubWindow(); });
    Connect(ID_FILE_SAVE, &CMainFrame::OnSave)->setShortcut(QKeySequence::Save);
    Connect(ID_FILE_SAVE_AS, &CMainFrame::OnSaveAs);
    Connect(ID_SAVE_SPECTRAL_CSV, &CMainFrame::OnSaveSpectralCsv);
    Connect(ID_SAVE_CALC_CSV, &CMainFrame::OnSaveCalcCsv);
    Connect(ID_CSV_SETTINGS, &CMainFrame::OnCsvSettings);
    Connect(ID_FILE_PRINT, &CMainFrame::OnPrint)->setShortcut(QKeySequence::Print);
    Connect(ID_FILE_PRINT_PREVIEW, &CMainFrame::OnPrintPreview);
    Connect(ID_FILE_PRINT_SETUP, &CMainFrame::OnPrinterSettings);
    connect(AddAction(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
}

void CMainFrame::createEditActions() {
    QAction* copy = Connect(ID_EDIT_COPY, &CMainFrame::OnCopy);
    copy->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    AddAction(ID_EDIT_PASTE)->setEnabled(false);  // on the toolbar only, never available
    Connect(ID_EDIT_SELECT_ALL, &CMainFrame::OnSelectAll);
    Connect(ID_DELETE, &CMainFrame::OnDelete);
}

void CMainFrame::createViewActions() {
    AddAction(ID_VIEW_STATUS_BAR);
    Connect(ID_TILED_DATA, &CMainFrame::OnTiledData);
    Connect(ID_SELECTED_DATA, &CMainFrame::OnSelectedData);
    Connect(ID_GRAPH_SETTINGS, &CMainFrame::OnGraphSettings);
    AddAction(ID_TILE_SIZE)->setEnabled(false);  // the tile size is set in Graph Settings
    Connect(ID_NEXT_DATA, &CMainFrame::OnNext)->setShortcut(Qt::Key_Right);
    Connect(ID_PREV_DATA, &CMainFrame::OnPrevious)->setShortcut(Qt::Key_Left);
}

void CMainFrame::createWindowActions() {
    connect(AddAction(ID_WINDOW_CASCADE), &QAction::triggered, m_pMdi,
            &QMdiArea::cascadeSubWindows);
    connect(AddAction(ID_WINDOW_TILE_HORZ), &QAction::triggered, m_pMdi, &QMdiArea::tileSubWindows);
}

void CMainFrame::createMenus(bool document) {
    m_bMenusBuilt = true;
    m_bDocumentMenus = document;
    menuBar()->clear();
    // The recent-file menu belongs to the File menu that clear() deletes.
    QMenu* file = menuBar()->addMenu(tr("File(&F)"));
    file->addAction(Action(ID_FILE_OPEN));
    if (document) {
        file->addActions({Action(ID_FILE_CLOSE), Action(ID_FILE_SAVE), Action(ID_FILE_SAVE_AS)});
        file->addSeparator();
        file->addActions(
            {Action(ID_SAVE_SPECTRAL_CSV), Action(ID_SAVE_CALC_CSV), Action(ID_CSV_SETTINGS)});
        file->addSeparator();
        file->addActions({Action(ID_FILE_PRINT), Action(ID_FILE_PRINT_PREVIEW)});
    }
    file->addAction(Action(ID_FILE_PRINT_SETUP));
    file->addSeparator();
    m_pRecentMenu = file->addMenu(tr("Recent Files"));
    UpdateRecentMenu();
    file->addSeparator();
    file->addAction(Action(ID_APP_EXIT));

    if (document) {
        QMenu* edit = menuBar()->addMenu(tr("Edit(&E)"));
        edit->addActions({Action(ID_EDIT_COPY), Action(ID_EDIT_SELECT_ALL), Action(ID_DELETE)});
    }
    QMenu* view = menuBar()->addMenu(tr("View(&V)"));
    view->addActions({Action(ID_VIEW_TOOLBAR), Action(ID_VIEW_STATUS_BAR)});
    if (document) {
        view->addSeparator();
        view->addActions({Action(ID_TILED_DATA), Action(ID_SELECTED_DATA)});
        view->addSeparator();
        view->addActions({Action(ID_GRAPH_SETTINGS), Action(ID_TILE_SIZE)});
        view->addSeparator();
        view->addActions({Action(ID_NEXT_DATA), Action(ID_PREV_DATA)});
        QMenu* window = menuBar()->addMenu(tr("Window(&W)"));
        window->addActions({Action(ID_WINDOW_CASCADE), Action(ID_WINDOW_TILE_HORZ)});
    }
    menuBar()->addMenu(tr("&Help"))->addAction(Action(ID_APP_ABOUT));
}

void CMainFrame::createToolBar() {
    QToolBar* bar = addToolBar(tr("Standard"));
    bar->setObjectName(QStringLiteral("toolbar"));
    QStyle* style = QApplication::style();
    const std::pair<CommandId, QStyle::StandardPixmap> buttons[] = {
        {ID_FILE_OPEN, QStyle::SP_DialogOpenButton},
        {ID_FILE_SAVE, QStyle::SP_DialogSaveButton},
        {ID_SAVE_SPECTRAL_CSV, QStyle::SP_FileDialogDetailedView},
        {ID_CSV_SETTINGS, QStyle::SP_FileDialogContentsView},
        {ID_GRAPH_SETTINGS, QStyle::SP_DesktopIcon},
        {ID_SELECTED_DATA, QStyle::SP_FileDialogInfoView},
        {ID_TILED_DATA, QStyle::SP_FileDialogListView},
        {ID_PREV_DATA, QStyle::SP_ArrowLeft},
        {ID_NEXT_DATA, QStyle::SP_ArrowRight},
        {ID_EDIT_COPY, QStyle::SP_FileIcon},
        {ID_EDIT_PASTE, QStyle::SP_DialogApplyButton},
        {ID_FILE_PRINT, QStyle::SP_ComputerIcon},
        {ID_APP_ABOUT, QStyle::SP_MessageBoxInformation},
    };
    // A gap follows these buttons.
    const CommandId gapsAfter[] = {ID_SAVE_SPECTRAL_CSV, ID_GRAPH_SETTINGS, ID_TILED_DATA,
                                   ID_NEXT_DATA,         ID_EDIT_PASTE,     ID_FILE_PRINT};
    for (const auto& [id, pixmap] : buttons) {
        QAction* action = Action(id);
        action->setIcon(style->standardIcon(pixmap));
        bar->addAction(action);
        if (std::find(std::begin(gapsAfter), std::end(gapsAfter), id) != std::end(gapsAfter))
            bar->addSeparator();
    }
    const CommandText& c = TextOf(ID_VIEW_TOOLBAR);
    QAction* toggle = bar->toggleViewAction();
    toggle->setText(Tr(c.text));
    toggle->setStatusTip(Tr(c.prompt));
    m_actions[ID_VIEW_TOOLBAR] = toggle;
}

void CMainFrame::createStatusBar() {
    QAction* toggle = Action(ID_VIEW_STATUS_BAR);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    // The idle text comes back whenever a prompt or message is cleared.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) statusBar()->showMessage(tr("Ready"));
    });
    statusBar()->showMessage(tr("Ready"));
}
