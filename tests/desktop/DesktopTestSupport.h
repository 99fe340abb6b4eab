#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <functional>

namespace desktop_test {

// Presses the button pick chooses in the next message box that opens (modal loops in the code
// under test); the returned text is the box's question once it has been answered.
inline std::shared_ptr<QString> AnswerNextMessageBox(
    std::function<QAbstractButton*(QMessageBox*)> pick) {
    auto text = std::make_shared<QString>();
    // Owned by the application, so a box that never opens leaves no timer behind.
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll, pick, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        *text = box->text();
        if (QAbstractButton* button = pick(box)) button->click();
        poll->deleteLater();
    });
    poll->start(20);
    return text;
}
inline std::shared_ptr<QString> AnswerNextMessageBox(QMessageBox::StandardButton answer) {
    return AnswerNextMessageBox([answer](QMessageBox* box) { return box->button(answer); });
}
inline std::shared_ptr<QString> AnswerNextMessageBox(const QString& buttonText) {
    return AnswerNextMessageBox([buttonText](QMessageBox* box) -> QAbstractButton* {
        for (QAbstractButton* button : box->buttons())
            if (button->text() == buttonText) return button;
        return nullptr;
    });
}

// Moves the mouse over a menu's entry, as the user does before choosing it.
inline void HoverMenuEntry(QMenu* menu, QAction* entry) {
    const QPoint at = menu->actionGeometry(entry).center();
    QMouseEvent move(QEvent::MouseMove, at, menu->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(menu, &move);
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
