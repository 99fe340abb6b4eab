#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace desktop_test {

// Runs the event loop until cond holds or timeoutMs passes; returns cond's last answer.
inline bool WaitFor(const std::function<bool()>& cond, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!cond()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Answers the next message box that opens with the given button; the returned text is the
// box's question once it has been answered.
inline std::shared_ptr<QString> AnswerNextMessageBox(QMessageBox::StandardButton answer) {
    auto text = std::make_shared<QString>();
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        *text = box->text();
        box->button(answer)->click();
        poll->deleteLater();
    });
    poll->start(20);
    return text;
}

}  // namespace desktop_test
