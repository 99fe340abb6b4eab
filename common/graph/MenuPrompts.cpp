#include "MenuPrompts.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>

namespace {

class CMenuPrompts : public QObject {
  public:
    CMenuPrompts(QMenu* menu, QStatusBar* bar) : QObject(menu), m_pMenu(menu), m_pBar(bar) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_pMenu || !m_pBar) return false;
        if (event->type() == QEvent::MouseMove) {
            const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
            QAction* action = m_pMenu->actionAt(pos);
            Show(action && !action->isSeparator() ? action->statusTip() : QString());
        } else if (event->type() == QEvent::Hide) {
            Show(QString());
        }
        return false;
    }

  private:
    void Show(const QString& prompt) {
        if (prompt == m_shown) return;
        m_shown = prompt;
        if (prompt.isEmpty())
            m_pBar->clearMessage();
        else
            m_pBar->showMessage(prompt);
    }

    QMenu* m_pMenu;
    QPointer<QStatusBar> m_pBar;
    QString m_shown;
};

}  // namespace

namespace rad {

void ShowMenuPrompts(QMenu* menu, QStatusBar* bar) {
    menu->installEventFilter(new CMenuPrompts(menu, bar));
}

}  // namespace rad
