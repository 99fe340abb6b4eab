#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QLabel;
class QStatusBar;
class QTimer;

// Lock-key states as the keyboard reports them; a key the platform cannot tell is nullopt.
struct LockState {
    std::optional<bool> kana;
    std::optional<bool> caps;
    std::optional<bool> num;
    std::optional<bool> scroll;
};

// Reads the indicator lamps from the X keyboard extension; all nullopt on other platforms
// (offscreen, Wayland without XWayland).
LockState QueryLockState();

// The KANA, CAPS, NUM and SCRL panes of the status bar: the name shows while the lock is on.
// KANA appears only where the keyboard has such a lamp and the program shows it (Radview's
// standard indicators are CAPS, NUM and SCRL).
class CLockIndicators : public QObject {
    Q_OBJECT
  public:
    explicit CLockIndicators(QStatusBar* bar, bool withKana = true);
    void Show(const LockState& state);
    QString Text(int pane) const;  // pane 0..3 = KANA, CAPS, NUM, SCRL

  public slots:
    void Refresh();

  private:
    QLabel* m_pPane[4];
    QTimer* m_pTimer;
    bool m_bKana;
};
