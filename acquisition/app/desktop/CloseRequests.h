#pragma once

#include <QObject>
#include <memory>

class CCloseSignals;
class QSocketNotifier;

// Close requests from outside the window: SIGTERM, SIGINT and SIGHUP (seen through the
// engine's close signals), and the end of the desktop session. Each arrives on the
// user-interface thread as closeRequested().
class CCloseRequests : public QObject {
    Q_OBJECT
  public:
    explicit CCloseRequests(QObject* parent = nullptr);
    ~CCloseRequests() override;

  signals:
    void closeRequested();

  private:
    void OnSignal();
    std::unique_ptr<CCloseSignals> m_pSignals;
    QSocketNotifier* m_pNotifier = nullptr;
};
