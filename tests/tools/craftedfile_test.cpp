// Files of many records with empty data blocks, as a fuzzer or a hostile sender makes them:
// every command stays within a small multiple of the file in memory and on disk.
#include <thread>

#include "LocalTime.h"
#include "SyntheticData.h"
#include "ToolRun.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

constexpr std::size_t kFileSize = 1 << 19;

class CraftedFile : public ToolTest {
  protected:
    void SetUp() override {
        ToolTest::SetUp();
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        // The sanitizers' shadow memory does not fit under an address-space limit.
        GTEST_SKIP() << "address-space limits do not apply to sanitized programs";
#endif
    }

    // A file of the calibrations (which make empty blocks count as spectra of zeros) and of
    // record repeated up to size bytes.
    std::string Crafted(const std::string& name, const std::string& record, std::size_t size) {
        CRsdData calibrated;
        rad::MakeSyntheticDay(calibrated, 1, {kQS200, kQS300},
                              *rad::LocalFieldsToTime(2024, 6, 1, 10, 0, 0), 60);
        calibrated.RemoveAt(0);
        std::string bytes = SavedBytes(calibrated);
        while (bytes.size() < size) bytes += record;
        WriteBytes(Path(name), bytes);
        return Path(name);
    }
};

// Address space for the program itself, its libraries (Qt and ICU for plot; HDF5 for the
// archive) and its threads, whose stacks the shell limits to 2 MB each below.
std::size_t ProgramKilobytes(bool bigLibraries) {
    return (bigLibraries ? 200 : 40) * 1024 +
           2 * 1024 * static_cast<std::size_t>(std::thread::hardware_concurrency());
}

}  // namespace

std::string LimitedShell(std::size_t kilobytes) {
    // One malloc arena, so that threads reserve no 64 MB of address space each.
    return "ulimit -s 2048; ulimit -v " + std::to_string(kilobytes) +
           "; MALLOC_ARENA_MAX=1 QT_QPA_PLATFORM=offscreen ";
}

TEST_F(CraftedFile, EveryCommandStaysWithinASmallMultipleOfTheFile) {
    const std::string in = Crafted("crafted.RSD",
                                   "DT_RSD,100\nMT,20240601120000\nDT_RSD_END\nDT_QS200,100\n"
                                   "DT_QS200_END\nDT_QS300,100\nDT_QS300_END\n",
                                   kFileSize);
    std::vector<ToolCommand> commands = Commands(in);
    commands.push_back({"info", "info " + in, ""});
    for (const ToolCommand& command : commands) {
        SCOPED_TRACE(command.args);
        const bool bigLibraries = command.name == "plot"sv || command.name == "netcdf"sv;
        const std::size_t limit = ProgramKilobytes(bigLibraries) + 16 * kFileSize / 1024;
        const std::string out = Path(std::string("out") + command.suffix);
        const ToolRun run = Tool(Replace(command.args, "OUT", out), LimitedShell(limit));
        EXPECT_EQ(run.status, 0) << run.err;
        // The spectral CSV is as long as its rows times the records; every other output,
        // the copy included, stays within a few times the file.
        if (*command.suffix && command.name != "spectral-csv"sv) {
            EXPECT_LT(fs::file_size(out), 4 * kFileSize);
        }
    }
}

// Records without blocks are the fewest bytes per record: a row of quantities each, kept for
// the whole file, cost some 14 times the file; the rows' lines and samples a few times.
TEST_F(CraftedFile, RowsOfRecordsWithoutBlocksAreNotAllKept) {
    constexpr std::size_t kSize = 4 << 20;
    const std::string in = Crafted("bare.RSD", "DT_RSD\nMT,20240601120000\nDT_RSD_END\n", kSize);
    for (const char* command : {"quantities", "series", "daily"}) {
        SCOPED_TRACE(command);
        const ToolRun run = Tool(std::string(command) + " " + in + " -o " + Path("out.csv"),
                                 LimitedShell(ProgramKilobytes(false) + 8 * kSize / 1024));
        EXPECT_EQ(run.status, 0) << run.err;
    }
}
