#include "SimInstrument.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "SensorModel.h"

namespace {

constexpr int kLongLine = 300;
constexpr const char* kFactoryDate = "2015/04/01,10:20:30";
constexpr const char* kFirmware[] = {"1.20", "1.30", "2.05", "1.80"};

std::vector<std::string> SplitCommand(const std::string& command) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = command.find(',', start);
        parts.push_back(command.substr(start, comma - start));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

void AppendLe(std::string& out, std::uint32_t value, int bytes) {
    for (int b = 0; b < bytes; ++b) out.push_back(static_cast<char>((value >> (8 * b)) & 0xFF));
}

CSkyLight MakeLight(const CSimOptics& optics, SimSky sky) {
    const std::vector<double>& nm = optics.PixelNm();
    return CSkyLight(std::move(sky), static_cast<int>(std::floor(nm.front())),
                     static_cast<int>(std::ceil(nm.back())));
}

// The unused pixels of the masked model: a few dead ones, the same in every unit.
bool MaskedOut(int pixel) { return pixel == 0 || pixel == 97 || pixel == 180 || pixel == 255; }

}  // namespace

CSimInstrument::CSimInstrument(int model, int unit, std::uint32_t seed)
    : m_firmware(kFirmware[model]),
      m_model(model),
      m_unit(unit),
      m_optics(model, seed),
      m_light(MakeLight(m_optics, ReferenceSky())),
      m_frame(static_cast<std::size_t>(PixelCount(model)), 0) {}

void CSimInstrument::SetSky(SimSky sky) { m_light = MakeLight(m_optics, std::move(sky)); }

std::string CSimInstrument::TextReply(const std::string& value, const QsSimFaults& faults) const {
    std::string line = value.empty() ? "OK" : value + ",OK";
    if (faults.longLine && static_cast<int>(line.size()) < kLongLine)
        line.insert(0, kLongLine - line.size(), 'X');
    return faults.garbage + line + "\r";
}

std::string CSimInstrument::BlockReply(std::string block, int shortBy) const {
    if (shortBy > 0) {
        // A block that breaks off: the rest and the trailing line never come.
        // Cut with substr, not resize: GCC 12 at -O3 reports a false -Wrestrict for the resize.
        const std::size_t keep =
            block.size() > static_cast<std::size_t>(shortBy) ? block.size() - shortBy : 0;
        return block.substr(0, keep);
    }
    return block + "OK\r";
}

std::string CSimInstrument::Status(double seconds) const {
    // Slow drifts of a few tenths over minutes, as a working instrument shows them.
    const double drift = std::sin(seconds / 300.0 + m_unit);
    char text[160];
    if (ModelInfo(m_model).shortWave) {
        std::snprintf(text, sizeof text, "%d,%.2f,%.2f,%.3f,%.2f", drift > 0 ? -1 : 1,
                      25.0 + 0.3 * drift, 12.02 + 0.05 * drift, 0.480 + 0.02 * drift,
                      1.15 + 0.03 * drift);
    } else {
        std::snprintf(text, sizeof text, "%d,%d,%d,%d,%.2f,%.2f,%.2f,%.2f,%.3f,%.2f", 0, 0, 0, -1,
                      -10.0 + 0.1 * drift, 31.5 + 0.8 * drift, 35.2 + 0.5 * drift,
                      12.01 + 0.05 * drift, 1.210 + 0.03 * drift, 2.05 + 0.04 * drift);
    }
    return text;
}

std::string CSimInstrument::Pixels(int shortBy) const {
    std::string block;
    for (std::uint16_t v : m_frame) AppendLe(block, v, 2);
    return BlockReply(block, shortBy);
}

std::string CSimInstrument::Calibration(int shortBy) const {
    std::string block;
    for (float f : m_optics.Calibration()) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        AppendLe(block, bits, 4);
    }
    return BlockReply(block, shortBy);
}

std::string CSimInstrument::Mask(int shortBy) const {
    std::string block;
    for (int k = 0; k < PixelCount(m_model); ++k) block.push_back(MaskedOut(k) ? '\0' : '\1');
    return BlockReply(block, shortBy);
}

SimReply CSimInstrument::Exposure(const std::vector<std::string>& args, const QsSimFaults& faults,
                                  double seconds) {
    if (args.size() != 4) return {0, TextReply("NG", faults)};
    const int exposure = std::atoi(args[1].c_str());
    const int count = std::atoi(args[3].c_str());
    int peak = 0;
    if (m_shutterOpen && m_lightCount < faults.peaks.size()) peak = faults.peaks[m_lightCount];
    if (m_shutterOpen) ++m_lightCount;
    const double brightness = m_brightness * (1.0 + faults.brightnessDrift * seconds);
    const std::vector<double> light =
        m_shutterOpen ? m_optics.PixelLight(m_light.Spectrum(), m_light.FirstNm())
                      : std::vector<double>();
    m_frame =
        m_optics.Expose(exposure, m_shutterOpen, light, brightness > 0 ? brightness : 0.0, peak);
    for (const auto& [pixel, raw] : faults.rawPixels) {
        if (m_shutterOpen && pixel >= 0 && pixel < static_cast<int>(m_frame.size()))
            m_frame[static_cast<std::size_t>(pixel)] = raw;
    }
    return {exposure * (count > 0 ? count : 1),
            faults.noGmReply ? std::string() : TextReply("", faults)};
}

SimReply CSimInstrument::Respond(const std::string& command, const QsSimFaults& faults,
                                 double seconds) {
    SimReply reply = Answer(command, faults, seconds);
    if (!faults.lateCommand.empty() && command.substr(0, command.find(',')) == faults.lateCommand)
        reply.lateMs = faults.lateMs;
    return reply;
}

SimReply CSimInstrument::Answer(const std::string& command, const QsSimFaults& faults,
                                double seconds) {
    if (faults.silent) return {};
    const std::vector<std::string> args = SplitCommand(command);
    const std::string& name = args[0];
    const SensorModelInfo& info = ModelInfo(m_model);
    if (!name.empty() && name == faults.ngCommand) return {0, faults.garbage + "NG\r"};
    if (name.empty()) return {0, TextReply("", faults)};
    char serial[32];
    std::snprintf(serial, sizeof serial, "%s%05d", info.key, 1001 + m_unit);
    if (name == "ID") return {0, TextReply("RADIOMETER", faults)};
    if (name == "ST")
        return {0, TextReply(faults.wrongModel.empty() ? info.label : faults.wrongModel, faults)};
    if (name == "SER") return {0, TextReply(serial, faults)};
    if (name == "FV") return {0, TextReply(m_firmware, faults)};
    if (name == "FT") return {0, TextReply(kFactoryDate, faults)};
    if (name.size() == 2 && name[0] == 'C' && name[1] >= '0' && name[1] <= '5') {
        return {0, TextReply(m_optics.CoefficientText(name[1] - '0'), faults)};
    }
    if (name == "OP" || name == "CL") {
        m_shutterOpen = name == "OP";
        return {0, TextReply("", faults)};
    }
    if (name == "GM") return Exposure(args, faults, seconds);
    if (name == "RB") return {0, Pixels(faults.shortRb)};
    if (name == "CALB") return {0, Calibration(faults.shortCalb)};
    if (name == "SS") return {0, TextReply(Status(seconds), faults)};
    if (info.pixelMask && name == "PXSB") return {0, Mask(faults.shortPxsb)};
    if (info.secondTemperature && name == "T2" && m_firmware == "1.80")
        return {0, TextReply("36.40", faults)};
    return {0, faults.garbage + "NG\r"};
}
