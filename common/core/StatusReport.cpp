#include "StatusReport.h"

#include <cstdio>

#include "LocalTime.h"
#include "TextEncoding.h"

namespace {
struct Text {
    const char* en;
    const char* ja;
};

class SectionWriter {
  public:
    SectionWriter(std::string& out, ReportLanguage language) : m_out(out), m_language(language) {}

    template <typename... Args>
    void Line(const Text& text, Args... args) {
        const char* format = m_language == ReportLanguage::Japanese ? text.ja : text.en;
        char buffer[256];
        const int n = std::snprintf(buffer, sizeof buffer, format, args...);
        if (n > 0)
            m_out.append(buffer,
                         static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
    }
    const char* Label(const Text& text) const {
        return m_language == ReportLanguage::Japanese ? text.ja : text.en;
    }

  private:
    std::string& m_out;
    ReportLanguage m_language;
};

constexpr Text kExposure{"Exposure time : %dms\n", "蓄積時間 : %dms\n"};
constexpr Text kSensorTemp{"Sensor Temp. : %.1fdeg\n", "センサ温度 : %.1fdeg\n"};
constexpr Text kShortSupply{"Supply Volt. : %.1fV\n", "電源電圧   : %.1fV\n"};
constexpr Text kLongSupply{"Supply Volt. : %.1fV\n", "電源電圧 : %.1fV\n"};
constexpr Text kPeltierStatus{"Peltier Status : %s\n", "ペルチェ駆動 : %s\n"};
constexpr Text kShortPeltierVolt{"Peltier Volt.  : %.1fV\n", "ペルチェ電圧 : %.1fV\n"};
constexpr Text kLongPeltierVolt{"Peltier Volt. : %.1fV\n", "ペルチェ電圧 : %.1fV\n"};
constexpr Text kPeltierCurr{"Peltier Curr. : %.1fA\n", "ペルチェ電流 : %.1fA\n"};
constexpr Text kDarkCounts{"Dark Counts : %.1fcps\n", "ダーク幅 : %.1fcps\n"};
constexpr Text kCooling{"Sensor Cooling : %s\n", "センサ冷却 : %s\n"};
constexpr Text kFinStatus{"Fin Status : %s\n", "放熱フィン : %s\n"};
constexpr Text kFinTemp{"Fin Temp. : %.1fdeg\n", "フィン温度 : %.1fdeg\n"};
constexpr Text kInternalTemp{"Internal Temp. : %.1fdeg\n", "内部温度  : %.1fdeg\n"};
constexpr Text kInternalTemp2{"Internal Temp.2 : %.1fdeg\n", "内部温度2 : %.1fdeg\n"};

constexpr Text kHeating{"Heating", "加熱中"};
constexpr Text kCoolingState{"Cooling", "冷却中"};
constexpr Text kStop{"Stop", "停止中"};
constexpr Text kActive{"Active", "駆動中"};
constexpr Text kNormal{"Normal", "正常"};
constexpr Text kOverheat{"Overheat", "過熱"};

// Peltier drive state as the instruments code it: 1 heating, -1 cooling, anything else stopped.
const Text& PeltierLabel(int32_t state) {
    return state == 1 ? kHeating : state == -1 ? kCoolingState : kStop;
}

double F(float value) { return static_cast<double>(value); }

// One sensor's section: the lines of the values its model reports, in this order. The visible
// models' texts pad two labels differently from the near-infrared models'.
void Section(SectionWriter& w, const SensorModelInfo& info, const SensorData& b, bool detailed,
             double darkRange) {
    const StatusLayout& at = info.status;
    const auto value = [&](const Text& text, int index) {
        if (index != kNoValue) w.Line(text, F(b.statusFloat[index]));
    };
    const auto flag = [&](const Text& text, int index, const Text& zero, const Text& other) {
        if (index != kNoValue) w.Line(text, w.Label(b.statusInt[index] == 0 ? zero : other));
    };
    w.Line(kExposure, b.ET);
    value(kSensorTemp, at.sensorTemp);
    flag(kCooling, at.coolingStopped, kActive, kStop);
    value(info.shortWave ? kShortSupply : kLongSupply, at.supplyVolt);
    if (!detailed) return;
    flag(kFinStatus, at.finOverheat, kNormal, kOverheat);
    value(kFinTemp, at.finTemp);
    value(kInternalTemp, at.internalTemp);
    value(kInternalTemp2, at.internalTemp2);
    if (at.peltierState != kNoValue)
        w.Line(kPeltierStatus, w.Label(PeltierLabel(b.statusInt[at.peltierState])));
    value(info.shortWave ? kShortPeltierVolt : kLongPeltierVolt, at.peltierVolt);
    value(kPeltierCurr, at.peltierCurr);
    w.Line(kDarkCounts, darkRange);
}
}  // namespace

void BuildStatusReport(const CRsdData& set, int index, int disp, const IntegSettings& integ,
                       ReportLanguage language, CResample& spectrum, StatusReport& report) {
    const CRad& record = set.GetAt(index);
    const bool detailed = disp == 0;
    std::string status;
    SectionWriter writer(status, language);
    // Sensor health does not depend on calibration, so every block the record holds is shown.
    for (int m = 0; m < kModelCount; ++m) {
        const SensorData* block = record.Block(m);
        if (!block) continue;
        status += std::string("--- ") + kModels[m].label + " ---\n";
        const double darkRange = detailed ? set.GetDarkRange(m, index) : 0.0;
        Section(writer, kModels[m], *block, detailed, darkRange);
    }
    report.statusText = std::move(status);

    spectrum.Resample(set, index);
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "Integral : %.1fW/m2(%d - %dnm)",
                  spectrum.GetIntegral(integ.left, integ.right), integ.left, integ.right);
    report.integralText = buffer;
    report.dateText = rad::FormatLocalTime(record.m_time, rad::kReportDateFormat);
    report.titleText = rad::ToUtf8(record.m_strMemo);
}
