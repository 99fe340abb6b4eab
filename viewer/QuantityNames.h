#pragma once

#include <QString>
#include <span>

#include "LightQuantities.h"

// Screen names of the light quantities, translated in the context "QuantityName".
QString QuantityName(rad::Quantity q);
// A value with its decimals, or "—" when not available.
QString QuantityText(rad::Quantity q, const rad::QuantityValue& value);
// The quantities the day view offers, PPFD first.
std::span<const rad::Quantity> DayViewQuantities();
