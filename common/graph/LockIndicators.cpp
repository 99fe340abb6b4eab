#include "LockIndicators.h"

#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#if __has_include(<X11/XKBlib.h>) && QT_CONFIG(xcb)
#define RAD_HAVE_XKB 1
#include <X11/XKBlib.h>
#endif

namespace {

constexpr const char* kPaneNames[4] = {"KANA", "CAPS", "NUM", "SCRL"};
// Polled because X sends no event to a window for lamp changes made in other windows.
constexpr int kPollMs = 250;

#ifdef RAD_HAVE_XKB
std::optional<bool> NamedLamp(Display* display, const char* name) {
    Atom atom = XInternAtom(display, name, True);
    if (atom == None) return std::nullopt;
    Bool on = False;
    Bool real = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, &real) || !real)
        return std::nullopt;
    return on != False;
}
#endif

}  // namespace

LockState QueryLockState() {
    LockState state;
#ifdef RAD_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return state;
    state.kana = NamedLamp(display, "Kana");
    state.caps = NamedLamp(display, "Caps Lock");
    state.num = NamedLamp(display, "Num Lock");
    state.scroll = NamedLamp(display, "Scroll Lock");
#endif
    return state;
}

CLockIndicators::CLockIndicators(QStatusBar* bar, bool withKana)
    : QObject(bar), m_pTimer(new QTimer(this)), m_bKana(withKana) {
    for (int i = 0; i < 4; ++i) {
        m_pPane[i] = new QLabel(bar);
        m_pPane[i]->setObjectName(kPaneNames[i]);
        m_pPane[i]->setFrameShape(QFrame::Panel);
        m_pPane[i]->setFrameShadow(QFrame::Sunken);
        m_pPane[i]->setAlignment(Qt::AlignCenter);
        m_pPane[i]->setMinimumWidth(m_pPane[i]->fontMetrics().horizontalAdvance("WWWW") + 4);
        bar->addPermanentWidget(m_pPane[i]);
    }
    connect(m_pTimer, &QTimer::timeout, this, &CLockIndicators::Refresh);
    m_pTimer->start(kPollMs);
    Refresh();
}

void CLockIndicators::Show(const LockState& state) {
    const std::optional<bool> lamps[4] = {state.kana, state.caps, state.num, state.scroll};
    for (int i = 0; i < 4; ++i) {
        m_pPane[i]->setText(lamps[i].value_or(false) ? kPaneNames[i] : "");
        // CAPS, NUM and SCRL always keep their pane, as users expect them at fixed places.
        if (i == 0) m_pPane[i]->setVisible(m_bKana && lamps[i].has_value());
    }
}

QString CLockIndicators::Text(int pane) const {
    return pane >= 0 && pane < 4 ? m_pPane[pane]->text() : QString();
}

void CLockIndicators::Refresh() { Show(QueryLockState()); }
