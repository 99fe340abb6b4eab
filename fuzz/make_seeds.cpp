// fuzz_rsd_seeds DIR: writes small RSD files for the fuzzer to start from: generated day
// files of one to three records, the same with CR LF line ends, and cut-off copies.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "LocalTime.h"
#include "RsdFileFormat.h"
#include "SyntheticData.h"

namespace {

namespace fs = std::filesystem;
namespace rsd = rad::rsd;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The same file with CR LF after every text line; payloads are copied as they are.
std::string WithCrLf(const std::string& lf) {
    std::string out;
    int model = 0;
    std::size_t pos = 0;
    while (pos < lf.size()) {
        std::size_t end = lf.find('\n', pos);
        if (end == std::string::npos) end = lf.size();
        const std::string line = lf.substr(pos, end - pos);
        out += line + "\r\n";
        pos = end + 1;
        const std::string tag = line.substr(0, line.find(','));
        if (rsd::ModelOfCalOpen(tag) >= 0) model = rsd::ModelOfCalOpen(tag);
        if (rsd::ModelOfDataOpen(tag) >= 0) model = rsd::ModelOfDataOpen(tag);
        if (tag == rsd::kCalBegin || tag == rsd::kMeasuredBegin || tag == rsd::kDarkBegin) {
            const std::size_t bytes = 4 * static_cast<std::size_t>(PixelCount(model));
            out += lf.substr(pos, bytes);
            pos += bytes;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_rsd_seeds DIR\n");
        return 2;
    }
    const fs::path dir = argv[1];
    fs::create_directories(dir);
    const int64_t start = rad::LocalFieldsToTime(2024, 6, 1, 11, 58, 0).value();
    struct Seed {
        const char* name;
        int records;
        std::initializer_list<int> models;
    };
    const Seed seeds[] = {
        {"qs400-1", 1, {kQS400}},
        {"qs300-qs400-2", 2, {kQS300, kQS400}},
        {"qs100-qs400-3", 3, {kQS100, kQS400}},
    };
    for (const Seed& seed : seeds) {
        CRsdData set;
        rad::MakeSyntheticDay(set, seed.records, seed.models, start, 60);
        const fs::path lf = dir / (std::string(seed.name) + ".rsd");
        if (!set.Save(lf.string())) {
            std::fprintf(stderr, "fuzz_rsd_seeds: cannot write %s\n", lf.c_str());
            return 1;
        }
        const std::string bytes = ReadBytes(lf);
        WriteBytes(dir / (std::string(seed.name) + "-crlf.rsd"), WithCrLf(bytes));
        WriteBytes(dir / (std::string(seed.name) + "-cut.rsd"),
                   bytes.substr(0, bytes.size() * 2 / 3));
    }
    WriteBytes(dir / "header-only.rsd", "HD_RSD,100\nSITE,x\nHD_RSD_END\n");
    return 0;
}
