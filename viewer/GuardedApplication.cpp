#include "GuardedApplication.h"

#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <new>

bool CGuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        std::fputs("Radview: not enough memory for the last action\n", stderr);
        // Told from the event loop, once the failed action has given its memory back.
        QTimer::singleShot(0, [] {
            QMessageBox::warning(
                nullptr, QStringLiteral("Radview"),
                QCoreApplication::translate("Radview", "Not enough memory for the last action."));
        });
        return false;
    }
}
