#include "CalibrationSplice.h"

#include "RsdFileFormat.h"

namespace rad {
namespace {

// One line of the file: its tag (before the first comma) and where the next line begins.
struct Line {
    std::string_view tag;
    std::size_t next = 0;
};

std::optional<Line> ReadLine(std::string_view bytes, std::size_t at) {
    const std::size_t feed = bytes.find('\n', at);
    if (feed == std::string_view::npos) return std::nullopt;
    std::string_view text = bytes.substr(at, feed - at);
    if (text.ends_with('\r')) text.remove_suffix(1);
    return Line{text.substr(0, text.find(',')), feed + 1};
}

bool IsPayloadBegin(std::string_view tag) {
    return tag == rsd::kCalBegin || tag == rsd::kMeasuredBegin || tag == rsd::kDarkBegin;
}

}  // namespace

std::optional<std::vector<CalibrationSpan>> FindCalibrationBlocks(std::string_view bytes) {
    std::vector<CalibrationSpan> spans;
    int blockModel = -1;  // model of the calibration or data block the lines are in
    std::optional<CalibrationSpan> open;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto line = ReadLine(bytes, at);
        if (!line) return std::nullopt;
        if (const int cal = rsd::ModelOfCalOpen(line->tag); cal >= 0) {
            open = CalibrationSpan{cal, at, 0};
            blockModel = cal;
        } else if (const int data = rsd::ModelOfDataOpen(line->tag); data >= 0) {
            blockModel = data;
        } else if (IsPayloadBegin(line->tag)) {
            if (blockModel < 0) return std::nullopt;
            const std::size_t payload = static_cast<std::size_t>(PixelCount(blockModel)) * 4;
            if (bytes.size() - line->next < payload) return std::nullopt;
            const auto close = ReadLine(bytes, line->next + payload);
            if (!close) return std::nullopt;
            at = close->next;
            continue;
        } else if (open && line->tag == rsd::TagsOf(open->model).calClose) {
            open->end = line->next;
            spans.push_back(*open);
            open.reset();
        }
        at = line->next;
    }
    if (open) return std::nullopt;
    return spans;
}

std::optional<std::string> SpliceCalibrations(std::string_view target, std::string_view source,
                                              unsigned models) {
    const auto targetSpans = FindCalibrationBlocks(target);
    const auto sourceSpans = FindCalibrationBlocks(source);
    if (!targetSpans || !sourceSpans) return std::nullopt;
    std::optional<std::string_view> replacement[kModelCount];
    for (const CalibrationSpan& span : *sourceSpans)
        replacement[span.model] = source.substr(span.begin, span.end - span.begin);
    std::string out;
    out.reserve(target.size() + 64 * 1024);
    std::size_t copied = 0;
    for (const CalibrationSpan& span : *targetSpans) {
        if (!(models & (1u << span.model)) || !replacement[span.model]) continue;
        out.append(target.substr(copied, span.begin - copied));
        out.append(*replacement[span.model]);
        copied = span.end;
    }
    out.append(target.substr(copied));
    return out;
}

}  // namespace rad
