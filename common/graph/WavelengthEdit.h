#pragma once

#include <QString>

// The checks a wavelength edit gets on OK in every dialog, with the messages both programs show.
namespace rad {

// Empty when text is an integer in 0..kMaxWavelengthNm (stored in value), else the message.
QString IntegerWavelengthError(const QString& text, int& value);
// Empty when text is a number in 0..kMaxWavelengthNm (stored in value), else the message.
QString NumberWavelengthError(const QString& text, double& value);
// Empty when from lies below to, else the message for the To edit (the same as for a value
// outside its limits, with the limits a To edit has after from).
QString IntegerRangeError(int from, int to);
QString NumberRangeError(double from, double to);
// A number in the "C" notation, blanks around it allowed.
bool ParseNumber(const QString& text, double& value);

}  // namespace rad
