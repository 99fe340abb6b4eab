#pragma once

#include <QString>
#include <span>

#include "LightQuantities.h"
#include "LightSeries.h"

// Screen names of the light quantities, translated in the context "QuantityName".
QString QuantityName(rad::Quantity q);
// A value with its decimals, or "—" when not available.
QString QuantityText(rad::Quantity q, const rad::QuantityValue& value);
// Screen name and text of one of the sun's values (LightSeries' sun columns).
QString SunValueName(const rad::SunColumn& column);
QString SunValueText(const rad::SunColumn& column, const rad::SunValues& values);
// The quantities the day view offers, PPFD first.
std::span<const rad::Quantity> DayViewQuantities();
