#include "ControllerTexts.h"

#include <array>

#include "DriverStatus.h"
#include "LocalTime.h"

namespace rad {

namespace {
struct TextRow {
    ControllerTextId id;
    const char* english;
    const char* japanese;
};

constexpr std::array<TextRow, 8> kTexts = {{
    {kTextConfirmStop, "Stop Interval Measurement", "インターバル測定を停止します"},
    {kTextGettingInfo, "Getting the sensor information", "センサ情報取得中"},
    {kTextMeasuring, "Measuring", "計測中"},
    {kTextMeasureOk, "Measurement OK", "計測OK"},
    {kTextMeasureFailed, "Measurement failed", "計測NG"},
    {kTextRetrying, "Retrying measurement", "リトライ中"},
    {kTextTitleInterval, "Interval Measurement", "インターバル測定実行中"},
    {kTextTitleManual, "Manual Measurement", "マニュアル測定実行中"},
}};
}  // namespace

const char* ControllerText(ControllerTextId id, bool japanese) {
    for (const TextRow& row : kTexts)
        if (row.id == id) return japanese ? row.japanese : row.english;
    return "";
}

std::string PhaseText(const SensorPhase& phase, bool japanese) {
    switch (phase.step) {
        case SensorStep::Status:
            return DriverStatusText(phase.status, japanese);
        case SensorStep::GettingInfo:
            return ControllerText(kTextGettingInfo, japanese);
        case SensorStep::Measuring:
            return ControllerText(kTextMeasuring, japanese);
        case SensorStep::MeasureOk:
            return ControllerText(kTextMeasureOk, japanese);
        case SensorStep::MeasureFailed:
            return ControllerText(kTextMeasureFailed, japanese);
        case SensorStep::Retrying:
            return ControllerText(kTextRetrying, japanese);
    }
    return "";
}

std::string ProgressText(const SensorSnapshot& sensors, bool japanese) {
    std::string text;
    for (const SensorModelInfo& info : kModels) {
        const auto model = static_cast<std::size_t>(info.model);
        if (!sensors.enabled[model]) continue;
        text += info.label;
        text += ' ';
        text += PhaseText(sensors.phase[model], japanese);
        text += '\n';
    }
    return text;
}

std::string ProgressClockText(int64_t now) { return FormatLocalTime(now, "%Y/%m/%d  %H:%M:%S"); }

}  // namespace rad
