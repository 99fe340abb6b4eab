// rsdtool plot (run as rsdtool-plot): the graph page of records as Radview's single-record view
// draws it, into a PNG, SVG or PDF file, without a display.
#include <QGuiApplication>
#include <QPainter>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <stdexcept>

#include "AtomicFile.h"
#include "DetailRecord.h"
#include "GraphPage.h"
#include "GraphPictures.h"
#include "ToolSupport.h"

namespace {

constexpr const char* kCommand = "plot";
constexpr QSize kDefaultSize{1024, 768};
constexpr int kMaxSide = 16384;

enum class PlotFormat { Png, Svg, Pdf };

std::optional<PlotFormat> FormatOf(const std::string& path) {
    // The name's bytes as they are: a name need not be UTF-8.
    const QByteArray name = QByteArray::fromStdString(path).toLower();
    if (name.endsWith(".png")) return PlotFormat::Png;
    if (name.endsWith(".svg")) return PlotFormat::Svg;
    if (name.endsWith(".pdf")) return PlotFormat::Pdf;
    return std::nullopt;
}

std::optional<QSize> ParseSize(std::string_view text) {
    const auto x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = ParseRecordIndex(text.substr(0, x));
    const auto h = ParseRecordIndex(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxSide || *h > kMaxSide) return std::nullopt;
    return QSize(*w, *h);
}

// The picture of the page; empty when it could not be drawn.
QByteArray Picture(PlotFormat format, QSize size, const GraphPage& page) {
    const rad::PageDrawer draw = [&page](QPainter& painter, QSize area) {
        GraphPage sized = page;
        sized.area = area;
        CGraph graph;
        rad::DrawGraphPage(painter, graph, sized);
    };
    switch (format) {
        case PlotFormat::Png:
            return rad::PngPicture(size, draw);
        case PlotFormat::Svg:
            return rad::SvgPicture(size, draw);
        case PlotFormat::Pdf:
            return rad::PdfPage(draw);
    }
    return {};
}

// Shows the records as Radview prepares them for its detailed view.
std::optional<GraphPage> PreparePage(const CRsdData& set, const std::vector<int>& indices,
                                     const RadviewSettings& settings, std::vector<CResample>& shown,
                                     const std::string& path) {
    GraphPage page;
    page.program = GraphProgram::Radview;
    page.settings = settings.graph;
    page.disp = settings.dispMode;
    page.data = &set;
    page.pixelRecords = indices;
    page.lineColors = settings.lineColors;
    shown.reserve(indices.size());
    for (int index : indices) {
        try {
            const StatusReport report = PrepareDetailRecord(
                set, index, settings.dispMode, settings.integ, rad::DetectReportLanguage(), shown);
            page.title = report.titleText;
            page.dateText = report.dateText;
            page.integralText = report.integralText;
            page.statusText = report.statusText;
        } catch (const std::invalid_argument& error) {
            FileError(path, "record " + std::to_string(index) + ": " + error.what());
            return std::nullopt;
        }
    }
    for (const CResample& spectrum : shown) page.spectra.push_back(&spectrum);
    return page;
}

}  // namespace

int RunPlotPage(const CommandArgs& args) {
    const auto parsed = ParseArgs(args, {"--profile", "--size", "-o"}, kCommand);
    if (!parsed) return kExitUsage;
    if (!CheckPositionalCount(*parsed, 2, SIZE_MAX, kCommand)) return kExitUsage;
    const std::string* out = parsed->Option("-o");
    if (!out) return UsageError(kCommand, "-o OUT is required");
    const auto format = FormatOf(*out);
    if (!format) return UsageError(kCommand, "OUT must end in .png, .svg or .pdf");
    QSize size = kDefaultSize;
    if (const std::string* text = parsed->Option("--size")) {
        const auto chosen = ParseSize(*text);
        if (!chosen)
            return UsageError(kCommand, "--size takes WxH, each 1.." + std::to_string(kMaxSide));
        size = *chosen;
    }
    std::vector<int> indices;
    for (std::size_t i = 1; i < parsed->positional.size(); ++i) {
        const auto index = ParseRecordIndex(parsed->positional[i]);
        if (!index) return UsageError(kCommand, "INDEX must be a record number");
        indices.push_back(*index);
    }
    const std::string& path = parsed->positional[0];
    if (!CheckOutput(*out, {&path, 1})) return kExitFailed;
    const auto settings = LoadViewerProfile(*parsed);
    if (!settings) return kExitFailed;
    CRsdData set;
    if (!LoadRsd(path, set) || !SelectRecords(indices, set, path)) return kExitFailed;

    // Drawing needs a GUI application; the offscreen platform needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "rsdtool";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    std::vector<CResample> shown;
    const auto page = PreparePage(set, indices, *settings, shown, path);
    if (!page) return kExitFailed;
    const QByteArray picture = Picture(*format, size, *page);
    if (picture.isEmpty()) return FileError(*out, "cannot draw the picture: not enough memory");
    const int error =
        rad::WriteFileAtomic(*out, {picture.constData(), static_cast<std::size_t>(picture.size())});
    return error == 0 ? kExitOk : WriteError(*out, error);
}
