#include "FileBatch.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

#include "ToolSupport.h"

namespace {

constexpr std::size_t kProgressMinimumFiles = 4;
constexpr int kBarWidth = 40;

void ReadOne(FileRows& file) {
    CRsdData set;
    file.problem = LoadRsdProblem(file.path, set);
    if (file.problem) return;
    try {
        file.rows = rad::ComputeSeries(set);
    } catch (const std::exception& error) {
        file.problem = error.what();
    }
}

}  // namespace

std::vector<FileRows> ReadFileRows(const std::vector<std::string>& paths,
                                   const std::function<void(int, int)>& progress) {
    std::vector<FileRows> files(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) files[i].path = paths[i];
    std::atomic<std::size_t> next{0};
    std::atomic<int> done{0};
    std::mutex progressLock;
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            ReadOne(files[i]);
            const int finished = ++done;
            if (progress) {
                const std::lock_guard lock(progressLock);
                progress(finished, static_cast<int>(files.size()));
            }
        }
    };
    const std::size_t workers =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, files.size());
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
