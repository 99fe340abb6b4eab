#pragma once

#include <QString>

// The checks a wavelength edit gets on OK in every dialog, with the messages both programs show.
namespace rad {

// Empty when text is an integer in 0..kMaxWavelengthNm (stored in value), else the message.
QString IntegerWavelengthError(const QString& text, int& value);
// Empty when text is a number in 0..kMaxWavelengthNm (stored in value), else the message.
QString NumberWavelengthError(const QString& text, double& value);
// A number in the "C" notation, blanks around it allowed.
bool ParseNumber(const QString& text, double& value);

}  // namespace rad
