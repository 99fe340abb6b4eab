#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
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

// Pairs of visible controls of a laid-out window whose rectangles intersect, as "a | b" with
// their object names or texts; empty when nothing covers anything else.
inline QStringList OverlappingControls(const QWidget& window) {
    const auto isControl = [](const QWidget* w) {
        return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
               qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
               qobject_cast<const QLabel*>(w);
    };
    const auto name = [](const QWidget* w) {
        if (!w->objectName().isEmpty()) return w->objectName();
        if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
        return QString::fromLatin1(w->metaObject()->className());
    };
    QList<const QWidget*> controls;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || !isControl(w)) continue;
        bool inner = false;  // a spin box's own edit is part of the spin box
        for (const QWidget* p = w->parentWidget(); p && p != &window; p = p->parentWidget())
            inner = inner || isControl(p);
        if (!inner) controls.append(w);
    }
    QStringList overlaps;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect a(controls[i]->mapTo(&window, QPoint()), controls[i]->size());
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect b(controls[j]->mapTo(&window, QPoint()), controls[j]->size());
            if (a.intersects(b)) overlaps << name(controls[i]) + " | " + name(controls[j]);
        }
    }
    return overlaps;
}

}  // namespace desktop_test
