#include "WavelengthEdit.h"

#include <QCoreApplication>
#include <cstdlib>

#include "SettingsBlocks.h"

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("WavelengthEdit", text); }

QString RangeMessage(const char* text) { return Tr(text).arg(0).arg(kMaxWavelengthNm); }

}  // namespace

namespace rad {

QString IntegerWavelengthError(const QString& text, int& value) {
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (!ok) return Tr("Please enter an integer.");
    if (!IsWavelengthInLimits(parsed))
        return RangeMessage(
            QT_TRANSLATE_NOOP("WavelengthEdit", "Please enter an integer between %1 and %2."));
    value = parsed;
    return {};
}

QString NumberWavelengthError(const QString& text, double& value) {
    double parsed = 0;
    if (!ParseNumber(text, parsed)) return Tr("Please enter a number.");
    if (!IsWavelengthInLimits(parsed))
        return RangeMessage(
            QT_TRANSLATE_NOOP("WavelengthEdit", "Please enter a number between %1 and %2."));
    value = parsed;
    return {};
}

QString IntegerRangeError(int from, int to) {
    if (IsWavelengthRangeUsable(from, to)) return {};
    return Tr(QT_TRANSLATE_NOOP("WavelengthEdit", "Please enter an integer between %1 and %2."))
        .arg(from + 1)
        .arg(kMaxWavelengthNm);
}

QString NumberRangeError(double from, double to) {
    if (IsWavelengthRangeUsable(from, to)) return {};
    return Tr(QT_TRANSLATE_NOOP("WavelengthEdit", "Please enter a number above %1 and at most %2."))
        .arg(from)
        .arg(kMaxWavelengthNm);
}

bool ParseNumber(const QString& text, double& value) {
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty()) return false;
    char* end = nullptr;
    const double parsed = std::strtod(bytes.constData(), &end);
    if (end != bytes.constData() + bytes.size()) return false;
    value = parsed;
    return true;
}

}  // namespace rad
