#pragma once

#include <QObject>

class QSocketNotifier;

// Close requests from outside the window: SIGTERM, SIGINT and SIGHUP, and the end of the
// desktop session. Each arrives on the user-interface thread as closeRequested().
class CCloseRequests : public QObject {
    Q_OBJECT
  public:
    explicit CCloseRequests(QObject* parent = nullptr);
    ~CCloseRequests() override;

  signals:
    void closeRequested();

  private:
    void OnSignal();
    QSocketNotifier* m_pNotifier = nullptr;
};
