// Actions, menus and toolbar of the main window.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "ChildFrame.h"
#include "LockIndicators.h"
#include "MainFrame.h"
#include "MenuPrompts.h"
#include "ProgramIcons.h"
#include "QuantitiesPanel.h"

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
    Connect(ID_SAVE_DAY_CSV, &CMainFrame::OnSaveDayCsv);
    Connect(ID_SAVE_DAY_PICTURE, &CMainFrame::OnSaveDayPicture);
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
    Connect(ID_DAY_VIEW, &CMainFrame::OnDayView);
    // Only in the day view; elsewhere the keys stay with the catalog and the other views.
    Connect(ID_NEXT_DAY, &CMainFrame::OnNextDay)->setShortcut(Qt::Key_PageDown);
    Connect(ID_PREV_DAY, &CMainFrame::OnPreviousDay)->setShortcut(Qt::Key_PageUp);
    Connect(ID_ALL_DAYS, &CMainFrame::OnAllDays)->setShortcut(Qt::Key_Home);
    Connect(ID_GRAPH_SETTINGS, &CMainFrame::OnGraphSettings);
    AddAction(ID_TILE_SIZE)->setEnabled(false);  // the tile size is set in Graph Settings
    Connect(ID_NEXT_DATA, &CMainFrame::OnNext)->setShortcut(Qt::Key_Right);
    Connect(ID_PREV_DATA, &CMainFrame::OnPrevious)->setShortcut(Qt::Key_Left);
}

void CMainFrame::createWindowActions() {
    Connect(ID_WINDOW_CASCADE, &CMainFrame::OnCascade);
    connect(AddAction(ID_WINDOW_TILE_HORZ), &QAction::triggered, m_pMdi, &QMdiArea::tileSubWindows);
}

void CMainFrame::createMenus(bool document) {
    m_bMenusBuilt = true;
    m_bDocumentMenus = document;
    // clear() only takes the entries off the bar; the menus stay its children until deleted.
    // Later, because a rebuild can run from inside one of them (File > Close).
    for (QAction* title : menuBar()->actions())
        if (title->menu()) title->menu()->deleteLater();
    menuBar()->clear();
    QMenu* file = menuBar()->addMenu(tr("File(&F)"));
    file->addAction(Action(ID_FILE_OPEN));
    if (document) {
        file->addActions({Action(ID_FILE_CLOSE), Action(ID_FILE_SAVE), Action(ID_FILE_SAVE_AS)});
        file->addSeparator();
        file->addActions({Action(ID_SAVE_SPECTRAL_CSV), Action(ID_SAVE_CALC_CSV),
                          Action(ID_SAVE_DAY_CSV), Action(ID_SAVE_DAY_PICTURE),
                          Action(ID_CSV_SETTINGS)});
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
        view->addAction(Action(ID_VIEW_QUANTITIES));
        view->addSeparator();
        view->addActions({Action(ID_TILED_DATA), Action(ID_SELECTED_DATA), Action(ID_DAY_VIEW)});
        view->addActions({Action(ID_PREV_DAY), Action(ID_NEXT_DAY), Action(ID_ALL_DAYS)});
        view->addSeparator();
        view->addActions({Action(ID_GRAPH_SETTINGS), Action(ID_TILE_SIZE)});
        view->addSeparator();
        view->addActions({Action(ID_NEXT_DATA), Action(ID_PREV_DATA)});
        QMenu* window = menuBar()->addMenu(tr("Window(&W)"));
        connect(window, &QMenu::aboutToShow, this, [this, window] { UpdateWindowMenu(window); });
    }
    menuBar()->addMenu(tr("&Help"))->addAction(Action(ID_APP_ABOUT));
    for (QAction* title : menuBar()->actions()) {
        rad::ShowMenuPrompts(title->menu(), statusBar());
        for (QAction* entry : title->menu()->actions())
            if (entry->menu()) rad::ShowMenuPrompts(entry->menu(), statusBar());
    }
}

void CMainFrame::UpdateWindowMenu(QMenu* menu) {
    menu->clear();
    menu->addActions({Action(ID_WINDOW_CASCADE), Action(ID_WINDOW_TILE_HORZ)});
    // The open documents, as the framework lists them: a check mark at the active one.
    const QList<QMdiSubWindow*> windows = m_pMdi->subWindowList();
    if (!windows.isEmpty()) menu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        const QString title = sub->windowTitle().remove(QStringLiteral("[*]"));
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(title));
        entry->setCheckable(true);
        entry->setChecked(sub == m_pMdi->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, sub] { m_pMdi->setActiveSubWindow(sub); });
    }
}

void CMainFrame::createToolBar() {
    QToolBar* bar = addToolBar(tr("Standard"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setIconSize(QSize(16, 16));
    const std::pair<CommandId, const char*> buttons[] = {
        {ID_FILE_OPEN, "open"},        {ID_FILE_SAVE, "save"},
        {ID_SAVE_SPECTRAL_CSV, "csv"}, {ID_CSV_SETTINGS, "csvsettings"},
        {ID_GRAPH_SETTINGS, "graph"},  {ID_SELECTED_DATA, "selected"},
        {ID_TILED_DATA, "tiled"},      {ID_DAY_VIEW, "dayview"},
        {ID_PREV_DATA, "previous"},    {ID_NEXT_DATA, "next"},
        {ID_EDIT_COPY, "copy"},        {ID_EDIT_PASTE, "paste"},
        {ID_FILE_PRINT, "print"},      {ID_APP_ABOUT, "about"},
    };
    // A gap follows these buttons.
    const CommandId gapsAfter[] = {ID_SAVE_SPECTRAL_CSV, ID_GRAPH_SETTINGS, ID_DAY_VIEW,
                                   ID_NEXT_DATA,         ID_EDIT_PASTE,     ID_FILE_PRINT};
    for (const auto& [id, icon] : buttons) {
        QAction* action = Action(id);
        action->setIcon(rad::CommandIcon(icon));
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

void CMainFrame::createQuantitiesPanel() {
    m_pQuantities = new CQuantitiesPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, m_pQuantities);
    m_pQuantities->hide();
    // Only on showing: the window's close hides the panel while the documents go away.
    connect(m_pQuantities, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) UpdateQuantitiesPanel();
    });
    const CommandText& c = TextOf(ID_VIEW_QUANTITIES);
    QAction* toggle = m_pQuantities->toggleViewAction();
    toggle->setText(Tr(c.text));
    toggle->setStatusTip(Tr(c.prompt));
    m_actions[ID_VIEW_QUANTITIES] = toggle;
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
    new CLockIndicators(statusBar(), false);
}
