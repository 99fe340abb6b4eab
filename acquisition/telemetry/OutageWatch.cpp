#include "OutageWatch.h"

COutageWatch::Change COutageWatch::Down(int64_t nowMs) {
    if (!m_downSince) m_downSince = nowMs;
    return Check(nowMs);
}

COutageWatch::Change COutageWatch::Up() {
    m_downSince.reset();
    if (!m_bReported) return Change::None;
    m_bReported = false;
    return Change::Back;
}

COutageWatch::Change COutageWatch::Check(int64_t nowMs) {
    if (!m_downSince || m_bReported || nowMs - *m_downSince <= m_limit) return Change::None;
    m_bReported = true;
    return Change::Unreachable;
}
