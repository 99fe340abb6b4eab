#include "CloseRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include "CloseSignals.h"

CCloseRequests::CCloseRequests(QObject* parent)
    : QObject(parent), m_pSignals(std::make_unique<CCloseSignals>()) {
    if (m_pSignals->Fd() >= 0) {
        m_pNotifier = new QSocketNotifier(m_pSignals->Fd(), QSocketNotifier::Read, this);
        connect(m_pNotifier, &QSocketNotifier::activated, this, &CCloseRequests::OnSignal);
    }
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The session is ending and will not wait for a confirmation.
        connect(gui, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { emit closeRequested(); });
    }
}

// The notifier goes before the descriptor it watches.
CCloseRequests::~CCloseRequests() { delete m_pNotifier; }

void CCloseRequests::OnSignal() {
    if (m_pSignals->Take()) emit closeRequested();
}
