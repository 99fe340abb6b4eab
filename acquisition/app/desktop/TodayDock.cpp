#include "TodayDock.h"

#include <QFormLayout>
#include <QLabel>
#include <cmath>

#include "TodayLight.h"

namespace {

// "—" where the spectrum does not reach the band or nothing was measured yet.
QString Number(double value, int decimals) {
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("\u2014");
}

}  // namespace

CTodayDock::CTodayDock(int dayStartHour, QWidget* parent)
    : QDockWidget(tr("Today"), parent), m_today(std::make_unique<CTodayLight>(dayStartHour)) {
    setObjectName(QStringLiteral("TodayDock"));
    auto* body = new QWidget(this);
    auto* form = new QFormLayout(body);
    m_pPpfd = new QLabel(body);
    m_pDli = new QLabel(body);
    m_pUvIndex = new QLabel(body);
    form->addRow(tr("PPFD (umol/m2/s):"), m_pPpfd);
    form->addRow(tr("DLI so far (mol/m2):"), m_pDli);
    form->addRow(tr("UV index:"), m_pUvIndex);
    setWidget(body);
    Show();
}

CTodayDock::~CTodayDock() = default;

void CTodayDock::Update(const CRsdData& set, const rad::SeriesRow* latest) {
    m_today->Update(set, latest);
    Show();
}

void CTodayDock::Show() {
    const bool any = m_today->HasRecord();
    m_pPpfd->setText(Number(any ? m_today->Latest().ppfd : NAN, 1));
    m_pDli->setText(Number(any ? m_today->Day().dli : NAN, 3));
    m_pUvIndex->setText(Number(any ? m_today->Latest().uvIndex : NAN, 2));
}

QString CTodayDock::PpfdText() const { return m_pPpfd->text(); }
QString CTodayDock::DliText() const { return m_pDli->text(); }
QString CTodayDock::UvIndexText() const { return m_pUvIndex->text(); }
