#include "FileBatch.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <new>
#include <numeric>
#include <span>
#include <stdexcept>
#include <thread>

#include "PayloadStore.h"
#include "RecordSun.h"
#include "SeriesRuns.h"
#include "SeriesStream.h"
#include "ToolSupport.h"

namespace {

constexpr std::size_t kProgressMinimumFiles = 4;
constexpr int kBarWidth = 40;

// What a worker keeps from file to file.
struct WorkerMemory {
    rad::PayloadStore payloads;
    std::size_t lastRows = 0;  // day files of a batch mostly hold as many records
};

// The site and zone of the file's header, and the sun of its records from them.
class SunOfFile {
  public:
    SunOfFile(FileRows& file, const CRsdData& set, const ZoneRule& zones,
              const rad::QcThresholds& thresholds)
        : m_file(file), m_set(set), m_zones(zones), m_qc{thresholds} {}

    // The header comes first in a file, so it is known when the first row is made; a file
    // without records takes it once loaded.
    void TakeHeader() {
        if (m_sun) return;
        m_file.site = rad::SiteOf(m_set);
        const rad::ZoneChoice choice = m_zones.ChooseFor(m_set.m_strTZ);
        m_file.zone = choice.zone;
        m_file.zoneNotice = choice.notice;
        m_sun.emplace(m_file.site, m_file.zone);
    }

    void Add(rad::SeriesRow& row) {
        TakeHeader();
        rad::AddSun(std::span(&row, 1), *m_sun, m_qc);
        m_held.push_back(static_cast<unsigned char>(row.qcEvidence.heldModels));
    }

    // Once the whole file is read: sensor_missing of every row, which needs every record.
    void JudgeMissingSensors() {
        const unsigned expected = rad::ExpectedModels(m_set);
        for (std::size_t r = 0; r < m_file.qc.size() && r < m_held.size(); ++r) {
            const unsigned flags = m_file.qc[r] | rad::MissingSensorFlag(m_held[r], expected);
            if (flags == m_file.qc[r]) continue;
            m_file.qc[r] = static_cast<unsigned char>(flags);
            if (!m_file.lines.empty()) m_file.requalify.push_back(r);
            if (r < m_file.samples.size()) m_file.samples[r].qc = flags;
        }
        m_held = {};
    }

  private:
    FileRows& m_file;
    const CRsdData& m_set;
    const ZoneRule& m_zones;
    rad::QcContext m_qc;
    std::optional<rad::RecordSun> m_sun;
    std::vector<unsigned char> m_held;  // models of each row's record
};

// Keeps of row what the caller needs: its time, and its line or its light samples.
void Keep(FileRows& file, rad::SeriesRow row, const RowFormatter& format, SunOfFile& sun) {
    sun.Add(row);
    file.times.push_back(row.time);
    file.qc.push_back(static_cast<unsigned char>(row.qc));
    if (!format) {
        file.samples.push_back(rad::ToLightSample(row));
        file.clearSky.push_back(rad::ToClearSkySample(row));
        return;
    }
    if (file.formatError) return;
    try {
        file.lines.push_back(format(row));
    } catch (const std::invalid_argument& error) {
        file.formatError = error.what();
    }
}

void Forget(FileRows& file) {
    file.times = {};
    file.qc = {};
    file.requalify = {};
    file.lines = {};
    file.samples = {};
    file.clearSky = {};
    file.formatError.reset();
}

// The rows made while the file loads, when one thread does the whole file; false when they
// could not be (the file is then loaded again with a store).
bool StreamOne(FileRows& file, const RowFormatter& format, WorkerMemory& memory,
               const ZoneRule& zones, const rad::QcThresholds& thresholds) {
    CRsdData set;
    SunOfFile sun(file, set, zones, thresholds);
    file.times.reserve(memory.lastRows);
    rad::SeriesStream stream(
        set, [&](rad::SeriesRow&& row) { Keep(file, std::move(row), format, sun); });
    const RsdPayloadVisitor visit = stream.Visitor();
    file.problem = LoadRsdProblem(file.path, set, &visit);
    if (file.problem) return true;
    sun.TakeHeader();
    if (!stream.Finish()) {
        Forget(file);
        return false;
    }
    sun.JudgeMissingSensors();
    memory.lastRows = file.times.size();
    return true;
}

void StoreOne(FileRows& file, int threads, const RowFormatter& format, rad::PayloadStore& payloads,
              const ZoneRule& zones, const rad::QcThresholds& thresholds) {
    CRsdData set;
    SunOfFile sun(file, set, zones, thresholds);
    // The pixels go to the worker's store, whose memory the next file reuses.
    payloads.Clear();
    std::error_code error;
    const auto size = std::filesystem::file_size(file.path, error);
    if (!error) payloads.Reserve(size);
    const RsdPayloadVisitor keep = payloads.Visitor();
    file.problem = LoadRsdProblem(file.path, set, &keep);
    if (file.problem) return;
    sun.TakeHeader();
    std::vector<int> indices(static_cast<std::size_t>(set.GetCount()));
    std::iota(indices.begin(), indices.end(), 0);
    rad::ForEachSeriesRow(set, indices, threads, &payloads,
                          [&](const rad::SeriesRow& row) { Keep(file, row, format, sun); });
    sun.JudgeMissingSensors();
}

void ReadOne(FileRows& file, int threads, const RowFormatter& format, WorkerMemory& memory,
             const ZoneRule& zones, const rad::QcThresholds& thresholds) {
    try {
        if (threads > 1 || !StreamOne(file, format, memory, zones, thresholds))
            StoreOne(file, threads, format, memory.payloads, zones, thresholds);
    } catch (const std::bad_alloc&) {
        Forget(file);
        file.problem = "not enough memory";
    } catch (const std::exception& error) {
        Forget(file);
        file.problem = error.what();
    }
}

}  // namespace

std::vector<FileRows> ReadFileRows(const std::vector<std::string>& paths,
                                   const std::function<void(int, int)>& progress,
                                   const RowFormatter& format, const ZoneRule& zones,
                                   const rad::QcThresholds& thresholds) {
    const std::size_t cores = std::max(std::thread::hardware_concurrency(), 1u);
    const std::size_t workers =
        std::clamp<std::size_t>(cores, 1, std::max<std::size_t>(paths.size(), 1));
    // With fewer files than cores, each file's records are split among the cores left.
    const int threadsPerFile = static_cast<int>(std::max<std::size_t>(cores / workers, 1));
    std::vector<FileRows> files(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) files[i].path = paths[i];
    std::atomic<std::size_t> next{0};
    std::atomic<int> done{0};
    std::mutex progressLock;
    const auto work = [&] {
        WorkerMemory memory;
        for (std::size_t i = next++; i < files.size(); i = next++) {
            ReadOne(files[i], threadsPerFile, format, memory, zones, thresholds);
            const int finished = ++done;
            if (progress) {
                const std::lock_guard lock(progressLock);
                progress(finished, static_cast<int>(files.size()));
            }
        }
    };
    {
        std::vector<std::jthread> threads;
        for (std::size_t w = 1; w < workers; ++w) threads.emplace_back(work);
        work();
    }
    return files;
}

std::function<void(int, int)> TerminalProgress(std::size_t fileCount) {
    if (fileCount < kProgressMinimumFiles || !isatty(STDERR_FILENO)) return {};
    return [](int done, int total) {
        const int filled = total > 0 ? done * kBarWidth / total : kBarWidth;
        std::fprintf(
            stderr, "\r[%s%s] %d/%d", std::string(static_cast<std::size_t>(filled), '#').c_str(),
            std::string(static_cast<std::size_t>(kBarWidth - filled), ' ').c_str(), done, total);
        if (done == total) std::fputc('\n', stderr);
        std::fflush(stderr);
    };
}
