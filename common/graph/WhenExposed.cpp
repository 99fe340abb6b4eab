#include "WhenExposed.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the native window for its first exposure, then queues the action and goes.
class CExposeWatch : public QObject {
  public:
    CExposeWatch(QWidget* widget, QWindow* window, std::function<void()> action)
        : QObject(window), m_pWidget(widget), m_action(std::move(action)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (window && event->type() == QEvent::Expose && window->isExposed()) {
            // Queued behind the paint that follows this expose.
            QTimer::singleShot(0, m_pWidget, std::move(m_action));
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    QPointer<QWidget> m_pWidget;
    std::function<void()> m_action;
};

}  // namespace

namespace rad {

void WhenExposed(QWidget* window, std::function<void()> action) {
    window->winId();  // a window never shown yet gets its native window to watch
    QWindow* handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(0, window, std::move(action));
        return;
    }
    handle->installEventFilter(new CExposeWatch(window, handle, std::move(action)));
}

}  // namespace rad
