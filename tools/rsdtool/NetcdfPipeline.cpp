#include "NetcdfPipeline.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <new>
#include <thread>

#include "RsdData.h"

namespace {

// What the workers hand over per file, in the order of the files.
struct Slot {
    std::optional<std::size_t> count;  // records, once loaded
    std::optional<std::size_t> first;  // the archive's index of its first record
    std::optional<PreparedDay> day;
    std::optional<std::string> problem;
    bool done = false;
};

class CPipeline {
  public:
    CPipeline(const std::vector<std::string>& files, const CNetcdfArchive& archive,
              const rad::ZoneRule& zones, const ArchiveLoader& load)
        : m_files(files),
          m_slots(files.size()),
          m_wavelengths(archive.Wavelengths()),
          m_quantities(archive.QuantityIndices()),
          m_zones(zones),
          m_load(load) {
        // An archive appended to has records before the first file's.
        if (!m_slots.empty()) m_slots[0].first = archive.Records();
    }

    // Prepared day i, waiting for it; throws ArchiveInputError when its file failed.
    PreparedDay Take(std::size_t i) {
        std::unique_lock lock(m_lock);
        m_changed.wait(lock, [&] { return m_slots[i].done; });
        if (m_slots[i].problem) throw ArchiveInputError(m_files[i], *m_slots[i].problem);
        PreparedDay day = std::move(*m_slots[i].day);
        m_slots[i].day.reset();
        return day;
    }

    // The archive gave up: no file is needed any more.
    void Stop() {
        const std::lock_guard lock(m_lock);
        m_failedAt = 0;
        m_changed.notify_all();
    }

    void Work() {
        for (std::size_t i = m_next++; i < m_files.size() && i < m_failedAt; i = m_next++) {
            try {
                if (!Prepare(i)) return;
            } catch (const std::bad_alloc&) {
                Fail(i, "not enough memory");
            } catch (const std::exception& error) {
                Fail(i, error.what());
            }
        }
    }

  private:
    // False when the file is not needed: one before it failed.
    bool Prepare(std::size_t i) {
        CRsdData set;
        if (auto problem = m_load(m_files[i], set)) {
            Fail(i, *problem);
            return true;
        }
        std::size_t first = 0;
        {
            std::unique_lock lock(m_lock);
            m_slots[i].count = static_cast<std::size_t>(set.GetCount());
            // Each file starts where the one before it ends.
            for (std::size_t j = i; j + 1 < m_slots.size() && m_slots[j].first &&
                                    m_slots[j].count && !m_slots[j + 1].first;
                 ++j)
                m_slots[j + 1].first = *m_slots[j].first + *m_slots[j].count;
            m_changed.notify_all();
            m_changed.wait(lock, [&] { return m_slots[i].first || m_failedAt < i; });
            if (!m_slots[i].first) return false;
            first = *m_slots[i].first;
        }
        PreparedDay prepared = ComputeArchiveDay(set, m_wavelengths, m_quantities, first, m_zones);
        prepared.day.source = std::filesystem::path(m_files[i]).filename().string();
        const std::lock_guard lock(m_lock);
        m_slots[i].day = std::move(prepared);
        m_slots[i].done = true;
        m_changed.notify_all();
        return true;
    }

    // The files after a failed one have no place in the archive: the run ends there. Those
    // before it are still prepared, as the archive takes them first.
    void Fail(std::size_t i, const std::string& problem) {
        const std::lock_guard lock(m_lock);
        m_slots[i].problem = problem;
        m_slots[i].done = true;
        m_failedAt = std::min<std::size_t>(m_failedAt, i);
        m_changed.notify_all();
    }

    const std::vector<std::string>& m_files;
    std::vector<Slot> m_slots;
    const std::vector<double>& m_wavelengths;
    const std::vector<std::size_t> m_quantities;
    const rad::ZoneRule m_zones;
    const ArchiveLoader& m_load;
    std::atomic<std::size_t> m_next{0};
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::atomic<std::size_t> m_failedAt{SIZE_MAX};  // the first file that failed
};

}  // namespace

std::size_t WriteArchive(const std::vector<std::string>& files, const std::string& out,
                         const ArchiveOptions& options, const ArchiveLoader& load,
                         const DayNotes& notes) {
    CNetcdfArchive archive(out, options);
    CPipeline pipeline(files, archive, options.zones, load);
    const std::size_t workers =
        std::min<std::size_t>(std::max(1U, std::thread::hardware_concurrency()), files.size());
    std::vector<std::jthread> threads;
    for (std::size_t w = 0; w < workers; ++w)
        threads.emplace_back([&pipeline] { pipeline.Work(); });
    try {
        for (std::size_t i = 0; i < files.size(); ++i) {
            PreparedDay day = pipeline.Take(i);
            if (notes) notes(files[i], day.day);
            archive.Add(std::move(day));
        }
    } catch (...) {
        pipeline.Stop();
        throw;
    }
    threads.clear();
    archive.Finish();
    return archive.Records();
}
