#include "MainFrame.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <fstream>

#include "CatView.h"
#include "ChildFrame.h"
#include "ConfDlg.h"
#include "RadviewDoc.h"
#include "UniView.h"
#include "ViewerTest.h"

namespace {

QStringList MenuTitles(QMainWindow& window) {
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) titles << a->text();
    return titles;
}

}  // namespace

using MainFrame = ViewerTest;

// A day file written before a swapped unit got its own part: its blocks of the other unit are
// pointed out when it opens.
TEST_F(MainFrame, BlocksOfAnotherUnitThanTheCalibrationAreWarnedAbout) {
    const QString path = WriteDayFile("mixed.RSD", 3);
    CRsdData set;
    ASSERT_GE(set.Load(path.toStdString()), 0);
    SetTextField(set.GetAt(2).Block(kQS300)->SN, "99999");
    ASSERT_TRUE(set.Save(path.toStdString()));
    EXPECT_EQ(OpenInWindow(path).statusBar()->currentMessage(),
              "Warning: mixed.RSD: 1 QS-300 block of serial 99999 measured by another unit than "
              "the calibration's (serial 12231): computed with the wrong calibration");
}

TEST_F(MainFrame, OpenFailAndCloseWithOrWithoutChanges) {
    CMainFrame frame(*m_app);
    frame.show();
    EXPECT_EQ(MenuTitles(frame), (QStringList{"File(&F)", "View(&V)", "&Help"}));
    const QString missing = m_dir.filePath(QStringLiteral("none.RSD"));
    EXPECT_FALSE(frame.OpenFile(missing));
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains(missing));

    ASSERT_TRUE(frame.OpenFile(WriteDayFile("a.RSD", 4)));
    EXPECT_EQ(MenuTitles(frame).size(), 5);
    EXPECT_EQ(m_app->Settings().recentFiles.size(), 1u);
    CChildFrame* child = frame.ActiveChild();
    ASSERT_NE(child, nullptr);
    child->Doc().SetModified(true);
    AnswerNextMessageBox(QMessageBox::Cancel);
    frame.MdiArea()->closeActiveSubWindow();
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    AnswerNextMessageBox(QMessageBox::No);
    frame.MdiArea()->closeActiveSubWindow();
    QApplication::processEvents();
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());

    // Unmodified, a document closes without a question. Every open and close rebuilds the
    // menus; the old ones must go, not pile up.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto menus = frame.menuBar()->findChildren<QMenu*>().size();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(frame.OpenFile(WriteDayFile("b.RSD", 2)));
        frame.MdiArea()->closeActiveSubWindow();
        QApplication::processEvents();
        EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.menuBar()->findChildren<QMenu*>().size(), menus);
}

// Radlog appends to today's file while it is open: Save asks instead of dropping those records.
TEST_F(MainFrame, SaveAsksWhenTheFileGrewOnDisk) {
    const QString path = WriteDayFile("today.RSD", 3);
    CChildFrame* child = OpenInWindow(path).ActiveChild();
    child->Doc().Data().GetAt(0).m_nSelect = 1;
    child->Doc().DeleteSelected();
    WriteDayFile("today.RSD", 5);
    AnswerNextMessageBox(QStringLiteral("&Reload"));
    EXPECT_FALSE(child->SaveDocument(false));
    EXPECT_EQ(child->Doc().Data().GetCount(), 5);
    EXPECT_FALSE(child->Doc().IsModified());

    EXPECT_EQ(child->Doc().SelectedCount(), 0);  // hint 1 of the reload
    child->Doc().Data().GetAt(4).m_nSelect = 1;
    child->Doc().DeleteSelected();
    WriteDayFile("today.RSD", 6);
    AnswerNextMessageBox(QStringLiteral("&Overwrite"));
    EXPECT_TRUE(child->SaveDocument(false));
    CRsdData saved;
    EXPECT_EQ(saved.Load(path.toStdString()), 4);
}

TEST_F(MainFrame, EnablingFollowsViewAndSelection) {
    CMainFrame& frame = OpenInWindow(WriteDayFile("a.RSD", 8), QSize(900, 700));
    CChildFrame* child = frame.ActiveChild();
    EXPECT_FALSE(frame.Action(ID_DELETE)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_EDIT_SELECT_ALL)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_EDIT_COPY)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_TILED_DATA)->isEnabled());

    // A widget's double click arrives after the press of the first click.
    QTest::mouseClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseDClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(100, 10));
    QApplication::processEvents();
    ASSERT_EQ(child->Doc().m_nViewMode, 1);
    EXPECT_EQ(child->Doc().m_shownIndices, std::vector<int>{1});
    EXPECT_TRUE(frame.Action(ID_EDIT_COPY)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_DELETE)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_NEXT_DATA)->isEnabled());
    frame.Action(ID_PREV_DATA)->trigger();
    EXPECT_FALSE(frame.Action(ID_PREV_DATA)->isEnabled());

    // With the default range 300-1800 nm, 224 units right of a 448-wide plot read 1050 nm.
    CUniView* view = child->UniView();
    view->resize(679, 510);  // drawing area 679 x 509: plot 95 .. 543
    view->repaint();
    ASSERT_EQ(view->Graph().Width(), 448);
    const QPoint inside(view->Graph().left + 224, view->Graph().top + 10);
    QTest::mousePress(view, Qt::LeftButton, {}, inside);
    ASSERT_TRUE(view->Readout());
    EXPECT_EQ(view->Readout()->wavelength, 1050);
    EXPECT_EQ(CUniView::ReadoutText(*view->Readout()),
              QString::asprintf("WL = 1050 Irr = %6.1f",
                                child->Doc().m_shownSpectra.front().GetValue(1050)));
    QTest::mouseRelease(view, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(view->Readout());

    // Next while the button is held: the cross of the old record goes.
    QTest::mousePress(view, Qt::LeftButton, {}, inside);
    ASSERT_TRUE(view->Readout());
    frame.Action(ID_NEXT_DATA)->trigger();
    EXPECT_FALSE(view->Readout());
    QTest::mouseRelease(view, Qt::LeftButton, {}, inside);

    // A double click leaves the view before its release arrives: no read-out may stay behind.
    QTest::mouseClick(view, Qt::LeftButton, {}, inside);
    QMouseEvent twice(QEvent::MouseButtonDblClick, inside, view->mapToGlobal(inside),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &twice);
    EXPECT_FALSE(view->Readout());
    QApplication::processEvents();
    EXPECT_EQ(child->Doc().m_nViewMode, 0);
    EXPECT_EQ(child->Doc().SelectedCount(), 1);  // the selection is unchanged
    EXPECT_TRUE(frame.Action(ID_DELETE)->isEnabled());
    frame.Action(ID_SELECTED_DATA)->trigger();
    QApplication::processEvents();
    ASSERT_EQ(child->Doc().m_nViewMode, 1);
    EXPECT_FALSE(view->Readout());
    QTest::mouseMove(view, inside + QPoint(20, 0));  // a move without a held button reads nothing
    EXPECT_FALSE(view->Readout());
}

// Titles as the framework gives them, Save As naming the file, and documents placed inside
// the area, listed in the Window menu and never opened twice.
TEST_F(MainFrame, TitlesWindowsAndSaveAs) {
    CMainFrame& frame = OpenInWindow(WriteDayFile("a.RSD", 2), QSize(1000, 720));
    EXPECT_EQ(frame.windowTitle(), "Radview - a.RSD");
    QMdiSubWindow* sub = frame.MdiArea()->currentSubWindow();
    sub->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle().remove("[*]"), "Radview - [a.RSD]");
    sub->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle(), "Radview - a.RSD");

    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Save As");
        dialog->selectFile(m_dir.filePath("b"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ASSERT_TRUE(frame.ActiveChild()->SaveDocument(true));
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath("b.rsd")));
    EXPECT_EQ(frame.windowTitle(), "Radview - b.rsd");

    ASSERT_TRUE(frame.OpenFile(m_dir.filePath("b.rsd")));  // already open: activated
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    for (const char* name : {"c.RSD", "d.RSD", "e.RSD", "f.RSD"})
        ASSERT_TRUE(frame.OpenFile(WriteDayFile(name, 1)));
    ASSERT_TRUE(frame.OpenFile(m_dir.filePath("b.rsd")));
    EXPECT_EQ(frame.ActiveChild()->Doc().Path(), m_dir.filePath("b.rsd"));
    const QRect area = frame.MdiArea()->viewport()->rect();
    for (QMdiSubWindow* window : frame.MdiArea()->subWindowList())
        EXPECT_TRUE(area.contains(window->geometry())) << window->windowTitle().toStdString();
    frame.Action(ID_WINDOW_CASCADE)->trigger();
    for (QMdiSubWindow* window : frame.MdiArea()->subWindowList()) {
        EXPECT_TRUE(area.contains(window->geometry()));
        EXPECT_EQ(window->size(), QSize(600, 450).boundedTo(area.size()));
    }
    QMenu* windowMenu = frame.menuBar()->actions().at(3)->menu();
    emit windowMenu->aboutToShow();
    QStringList entries;
    for (QAction* entry : windowMenu->actions())
        if (entry->isCheckable()) entries << entry->text() + (entry->isChecked() ? "*" : "");
    EXPECT_EQ(entries, (QStringList{"&1 b.rsd*", "&2 c.RSD", "&3 d.RSD", "&4 e.RSD", "&5 f.RSD"}));
}

// Files of the command line wait for the window: it never stays black while they load.
TEST_F(MainFrame, CommandLineFilesOpenOnceTheWindowIsShown) {
    CMainFrame frame(*m_app);
    frame.OpenFilesWhenShown({WriteDayFile("a.RSD", 2), WriteDayFile("b.RSD", 2)});
    QApplication::processEvents();
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    frame.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.MdiArea()->subWindowList().size() == 2; }));
    EXPECT_EQ(frame.windowTitle(), "Radview - b.RSD");
}

// Every command tells what it does in the status bar, greyed and context-menu entries too.
TEST_F(MainFrame, PromptsForGreyedAndContextEntries) {
    CMainFrame& frame = OpenInWindow(WriteDayFile("a.RSD", 2));
    QMenu* view = frame.menuBar()->actions().at(2)->menu();
    view->popup(QPoint(50, 50));
    desktop_test::HoverMenuEntry(view, frame.Action(ID_TILE_SIZE));
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Change Tiled Data Size");
    view->hide();
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Ready");

    QString prompt;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* entry : menu->actions())
            if (entry->text() == "&Delete")
                desktop_test::HoverMenuEntry(menu, entry);  // greyed: nothing selected
        prompt = frame.statusBar()->currentMessage();
        menu->close();
    });
    frame.ShowContextMenu(QPoint(60, 60));
    EXPECT_EQ(prompt, "Delete Selected Data");
}

// A profile edited by hand to the int limit: the catalog, the detail view and both exports
// finish at once; the spectral export is refused instead of making billions of rows.
TEST_F(MainFrame, HandEditedProfileWithHugeRangesNeitherCrashesNorHangs) {
    std::ofstream(Profile()) << "[SAVE]\nPITCH=1\nRIGHT=2147483647\n[INTEG]\nRIGHT=2147483647\n"
                                "[GRAPH]\nRIGHT=2147483647\n";
    m_app->LoadSettings();
    CMainFrame& frame = OpenInWindow(WriteDayFile("a.RSD", 3));
    CChildFrame* child = frame.ActiveChild();
    child->CatView()->repaint();
    child->Doc().SelectAll();
    frame.Action(ID_SELECTED_DATA)->trigger();
    QApplication::processEvents();
    child->UniView()->repaint();
    EXPECT_NE(child->Doc().m_report.integralText.find("2147483647nm"), std::string::npos);
    EXPECT_EQ(child->Doc().ExportSpectralCsv(m_dir.filePath("s.csv").toStdString()),
              kExportRangeRefused);
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("s.csv")));
    EXPECT_EQ(child->Doc().ExportCalcCsv(m_dir.filePath("c.csv").toStdString()),
              kExportRangeRefused);
}

// Every CSV export starts in the folder of the last one and proposes the document's name; a
// file it cannot write gets one message naming the file and the cause.
TEST_F(MainFrame, CsvExportsShareFolderNameAndErrorMessage) {
    CMainFrame& frame = OpenInWindow(WriteDayFile("a.RSD", 3));
    frame.ActiveChild()->Doc().SelectAll();
    m_app->SetExportFolder(m_dir.path().toStdString());
    const QString missing = m_dir.filePath("missing/x.csv");
    for (const CommandId id : {ID_SAVE_SPECTRAL_CSV, ID_SAVE_CALC_CSV, ID_SAVE_DAY_CSV}) {
        if (id == ID_SAVE_DAY_CSV) {
            frame.Action(ID_DAY_VIEW)->trigger();
            QApplication::processEvents();
        }
        QString folder, proposed;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            folder = dialog->directory().absolutePath();
            proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            dialog->selectFile(missing);
            QMetaObject::invokeMethod(dialog, "done", Q_ARG(int, QDialog::Accepted));
        });
        const auto message = AnswerNextMessageBox(QMessageBox::Ok);
        frame.Action(id)->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !message->isEmpty(); })) << id;
        EXPECT_EQ(folder, QDir(m_dir.path()).absolutePath());
        EXPECT_EQ(proposed, "a.csv");
        EXPECT_EQ(*message, QStringLiteral("The CSV file %1 could not be written: no such file or "
                                           "directory.")
                                .arg(QDir::toNativeSeparators(missing)));
    }
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("out"));
    EXPECT_TRUE(frame.ReportExport(m_dir.filePath("out/a.csv"), kExportWritten));
    EXPECT_EQ(m_app->ExportFolder(), m_dir.filePath("out").toStdString());
}

// OK in CSV Settings redraws the detail view's integral with the new band at once.
TEST_F(MainFrame, CsvSettingsOkRenewsTheShownIntegral) {
    CMainFrame& frame = OpenInWindow(WriteDayFile("a.RSD", 2));
    CChildFrame* child = frame.ActiveChild();
    child->Doc().SelectAll();
    frame.Action(ID_SELECTED_DATA)->trigger();
    QApplication::processEvents();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CConfDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->IntegToEdit()->setText(QStringLiteral("700"));
        dialog->accept();
    });
    frame.Action(ID_CSV_SETTINGS)->trigger();
    EXPECT_NE(child->Doc().m_report.integralText.find("700nm"), std::string::npos)
        << child->Doc().m_report.integralText;
}

// Both ranges take 0..100000 nm (the rule's cases are in the Radlog dialog's table); OK with
// anything else keeps the dialog open. The models pair off, and the range follows the interval.
TEST(CsvSettingsDialog, WavelengthsAreBoundedModelsPairOff) {
    CConfDlg dialog;
    dialog.Load(CsvSettings{.pitch = 1}, IntegSettings{});  // the range edits in use
    dialog.show();
    dialog.RangeToEdit()->setText(QStringLiteral("100001"));
    AnswerNextMessageBox(QMessageBox::Ok);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.focusWidget(), dialog.RangeToEdit());
    // Each pair refuses a To not above its From with the same message, naming the To's limits.
    for (QLineEdit* to : {dialog.RangeToEdit(), dialog.IntegToEdit()}) {
        dialog.RangeToEdit()->setText(QStringLiteral("100000"));
        to->setText(QStringLiteral("300"));
        const auto message = AnswerNextMessageBox(QMessageBox::Ok);
        dialog.accept();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !message->isEmpty(); }));
        EXPECT_EQ(*message, "Please enter an integer between 301 and 100000.");
        EXPECT_EQ(dialog.focusWidget(), to);
        to->setText(QStringLiteral("1800"));
    }
    dialog.RangeToEdit()->setText(QStringLiteral("100000"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // A hand-edited range of the raw grid is greyed: OK does not stick on it.
    CConfDlg greyed;
    greyed.Load(CsvSettings{.right = 2147483647}, IntegSettings{});
    greyed.accept();
    EXPECT_EQ(greyed.result(), QDialog::Accepted);
    EXPECT_FALSE(greyed.RangeFromEdit()->isEnabled());
    greyed.OneNmButton()->click();
    EXPECT_TRUE(greyed.RangeToEdit()->isEnabled());
    greyed.ModelBox(kQS100)->click();  // unchecking one box still clears its partner
    EXPECT_FALSE(greyed.ModelBox(kQS200)->isChecked());
    greyed.ModelBox(kQS200)->click();
    greyed.ModelBox(kQS400)->click();
    CsvSettings csv;
    IntegSettings integ;
    greyed.Store(csv, integ);
    EXPECT_EQ(csv.models, (std::array<bool, kModelCount>{false, true, false, false}));
    EXPECT_EQ(csv.pitch, 1);
}

TEST(Language, JapaneseCatalogueTranslatesTheMenus) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/radview_ja.qm")));
    QCoreApplication::installTranslator(&translator);
    rad::ProfileLocation location;
    CRadviewApp app(location);
    CMainFrame frame(app);
    EXPECT_EQ(MenuTitles(frame).front(), QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(frame.Action(ID_FILE_OPEN)->text(), QString::fromUtf8("開く(&O)...\tCtrl+O"));
    CConfDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("データ設定"));
    QCoreApplication::removeTranslator(&translator);
}
