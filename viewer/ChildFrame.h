#pragma once

#include <QWidget>

class CCatView;
class CDayView;
class CRadviewDoc;
class CUniView;
class QStackedLayout;
class CRadviewApp;

// The window of one document: the catalog and, once asked for, the single-record view and
// the day view, one of them visible at a time.
class CChildFrame : public QWidget {
    Q_OBJECT
  public:
    CChildFrame(CRadviewApp& app, QWidget* parent = nullptr);

    CRadviewDoc& Doc() const { return *m_pDoc; }
    CCatView* CatView() const { return m_pCatView; }
    CUniView* UniView() const { return m_pUniView; }
    CDayView* DayView() const { return m_pDayView; }
    QWidget* ActiveView() const;

    // Opens the file into the document; false when it cannot be read.
    bool OpenDocument(const QString& path);
    // Save (askName false) or Save As; handles the file having changed on disk.
    bool SaveDocument(bool askName);
    // Asks about unsaved changes; false when the user cancels.
    bool MaySave();

    // The view switch, delivered later like a posted message: 0 catalog, 1 single record,
    // 2 day view.
    void PostSwitchView(int mode);
    void SwitchView(int mode);

  signals:
    void stateChanged();
    void contextMenuRequested(QPoint globalPos);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void UpdateTitle();
    bool SaveTo(const QString& path);

    CRadviewApp& m_app;
    CRadviewDoc* m_pDoc;
    QStackedLayout* m_pStack;
    CCatView* m_pCatView;
    CUniView* m_pUniView = nullptr;
    CDayView* m_pDayView = nullptr;
};
