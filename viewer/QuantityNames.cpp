#include "QuantityNames.h"

#include <QCoreApplication>
#include <cmath>

#include "LightSeries.h"

namespace {

// The column titles of the quantities, listed again so that the translation tools find them.
[[maybe_unused]] constexpr const char* kTitles[] = {
    QT_TRANSLATE_NOOP("QuantityName", "UV-B photons(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "UV-A photons(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "Blue photons(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "Green photons(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "Red photons(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "Far-red photons(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "ePAR(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "UV-B(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "UV-A(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "Blue(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "Green(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "Red(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "Far-red(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "ePAR band(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "PAR(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "PPFD(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "Illuminance(lx)"),
    QT_TRANSLATE_NOOP("QuantityName", "R:FR"),
    QT_TRANSLATE_NOOP("QuantityName", "B:R"),
    QT_TRANSLATE_NOOP("QuantityName", "B:G"),
    QT_TRANSLATE_NOOP("QuantityName", "Erythemal UV(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "UV index"),
    QT_TRANSLATE_NOOP("QuantityName", "x"),
    QT_TRANSLATE_NOOP("QuantityName", "y"),
    QT_TRANSLATE_NOOP("QuantityName", "CCT(K)"),
    QT_TRANSLATE_NOOP("QuantityName", "Duv"),
    QT_TRANSLATE_NOOP("QuantityName", "Melanopic(W/m2)"),
    QT_TRANSLATE_NOOP("QuantityName", "Melanopic EDI(lx)"),
    QT_TRANSLATE_NOOP("QuantityName", "APE(eV)"),
    QT_TRANSLATE_NOOP("QuantityName", "Sun zenith(deg)"),
    QT_TRANSLATE_NOOP("QuantityName", "Sun azimuth(deg)"),
    QT_TRANSLATE_NOOP("QuantityName", "Clear-sky PPFD(umol/m2/s)"),
    QT_TRANSLATE_NOOP("QuantityName", "Clear-sky index"),
};

using rad::Quantity;
constexpr Quantity kDayQuantities[] = {
    Quantity::Ppfd,         Quantity::Par,          Quantity::Illuminance, Quantity::UvIndex,
    Quantity::RedFarRed,    Quantity::MelanopicEdi, Quantity::Cct,         Quantity::PhotonUvb,
    Quantity::PhotonUva,    Quantity::PhotonBlue,   Quantity::PhotonGreen, Quantity::PhotonRed,
    Quantity::PhotonFarRed, Quantity::PhotonEpar,   Quantity::EnergyUvb,   Quantity::EnergyUva,
    Quantity::EnergyBlue,   Quantity::EnergyGreen,  Quantity::EnergyRed,   Quantity::EnergyFarRed,
    Quantity::EnergyEpar,
};

}  // namespace

QString QuantityName(rad::Quantity q) {
    return QCoreApplication::translate("QuantityName", rad::InfoOf(q).header);
}

QString QuantityText(rad::Quantity q, const rad::QuantityValue& value) {
    if (!value.Available()) return QStringLiteral("\u2014");
    return QString::fromStdString(rad::FormatQuantity(q, value));
}

QString SunValueName(const rad::SunColumn& column) {
    return QCoreApplication::translate("QuantityName", column.header);
}

QString SunValueText(const rad::SunColumn& column, const rad::SunValues& values) {
    const double value = values.*column.value;
    if (!std::isfinite(value)) return QStringLiteral("\u2014");
    return QString::number(value, 'f', column.decimals);
}

std::span<const rad::Quantity> DayViewQuantities() { return kDayQuantities; }
