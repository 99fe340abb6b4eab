#include "ControllerTexts.h"

#include <array>

#include "DriverStatus.h"

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

std::string StateText(int status, bool japanese) { return DriverStatusText(status, japanese); }

}  // namespace rad
