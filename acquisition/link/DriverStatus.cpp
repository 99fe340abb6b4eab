#include "DriverStatus.h"

namespace {

struct StatusText {
    const char* english;
    const char* japanese;
};

constexpr StatusText kStatusTexts[] = {
    {"  ", "  "},
    {"Error(Opening COM Port failed)", "COMポートオープン失敗"},
    {"Error(Communication with the sensor failed)", "センサ接続失敗"},
    {"Error(Getting the sensor information failed)", "センサ情報取得失敗"},
    {"Error(Sensor Name)", "センサ名が異常です"},
    {"Error(Getting the calibration value failed)", "校正値取得失敗"},
    {"READY", "READY"},
};

}  // namespace

const char* DriverStatusText(int code, bool japanese) {
    if (code < 0 || code >= static_cast<int>(sizeof kStatusTexts / sizeof kStatusTexts[0]))
        return "";
    return japanese ? kStatusTexts[code].japanese : kStatusTexts[code].english;
}
