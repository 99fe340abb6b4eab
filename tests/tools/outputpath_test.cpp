// Every command's output path against what it must never destroy: a device, a FIFO, a folder,
// a symlink loop, one of its inputs, and a file on a disk that takes no more.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "LocalTime.h"
#include "SyntheticData.h"
#include "ToolRun.h"

namespace {

namespace fs = std::filesystem;

class OutputPath : public ToolTest {
  protected:
    void SetUp() override {
        ToolTest::SetUp();
        CRsdData set;
        // Every 12 hours, so that every output is longer than the disk takes below.
        rad::MakeSyntheticDay(set, 30, {kQS100, kQS300},
                              *rad::LocalFieldsToTime(2024, 6, 1, 9, 0, 0), 12 * 3600);
        ASSERT_TRUE(set.Save(Path("day.RSD")));
        m_input = ReadFile(Path("day.RSD"));
    }

    std::string m_input;
};

// The files of the folder but what the tool said.
std::vector<std::string> Entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename() != "out" && entry.path().filename() != "err")
            names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST_F(OutputPath, IsNeverReplacedByWhatIsNoFileNorAnInput) {
    struct Target {
        const char* kind;
        std::function<void(const std::string& out)> make;
        const char* cause;
    };
    const std::string day = Path("day.RSD");
    const Target targets[] = {
        {"device", [](auto& out) { fs::create_symlink("/dev/null", out); },
         "cannot be written: not a regular file"},
        {"fifo", [](auto& out) { ::mkfifo(out.c_str(), 0600); },
         "cannot be written: not a regular file"},
        {"folder", [](auto& out) { fs::create_directory(out); },
         "cannot be written: is a directory"},
        {"loop", [](auto& out) { fs::create_symlink(fs::path(out).filename(), out); },
         "cannot be written: too many levels of symbolic links"},
        {"input", [&day](auto& out) { fs::create_hard_link(day, out); },
         "cannot be written: it is one of the input files"},
    };
    for (const ToolCommand& command : Commands(Path("day.RSD"))) {
        for (const Target& target : targets) {
            SCOPED_TRACE(std::string(command.name) + " to a " + target.kind);
            const std::string out =
                Path(std::string("out-") + command.name + "-" + target.kind + command.suffix);
            target.make(out);
            const auto before = Entries(m_dir);
            struct stat old {};
            ASSERT_EQ(::lstat(out.c_str(), &old), 0);
            const ToolRun run = Tool(Replace(command.args, "OUT", out));
            EXPECT_EQ(run.status, 1);
            EXPECT_THAT(run.err, HasSubstr(out + ": " + target.cause));
            struct stat now {};
            ASSERT_EQ(::lstat(out.c_str(), &now), 0);
            EXPECT_EQ(now.st_ino, old.st_ino);
            EXPECT_EQ(now.st_mode, old.st_mode);
            EXPECT_EQ(Entries(m_dir), before);
        }
    }
    EXPECT_EQ(ReadFile(day), m_input);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // --out-dir names its outputs after the inputs: a day file named like a CSV is no output.
    fs::copy_file(day, Path("named.csv"));
    ExpectRuns({
        {"calc-csv --out-dir " + m_dir.string() + " " + Path("named.csv"), 1,
         "named.csv: cannot be written: it is one of the input files"},
        // The other messages name their cause as well.
        {"calc-csv --out-dir " + day + "/csv " + day, 1,
         "cannot create the folder: a part of the path is not a directory"},
        {"series --profile " + Path("none.ini") + " " + day, 1,
         "none.ini: cannot read the profile: no such file or directory"},
    });
    EXPECT_EQ(ReadFile(Path("named.csv")), m_input);
}

// The disk full: the old output stays as it was, and nothing but it is left in the folder.
TEST_F(OutputPath, AFullDiskKeepsTheOldOutput) {
    for (const ToolCommand& command : Commands(Path("day.RSD"))) {
        SCOPED_TRACE(command.name);
        const std::string out = Path(std::string("old-") + command.name + command.suffix);
        std::ofstream(out) << "old";
        const auto before = Entries(m_dir);
        // A file may grow to a block of 512 bytes (1024 in some shells): room for the messages
        // on stderr, not for any output.
        const ToolRun run = Tool(Replace(command.args, "OUT", out), "trap '' XFSZ; ulimit -f 1; ");
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.err, HasSubstr("file too large"));
        EXPECT_EQ(ReadFile(out), "old");
        EXPECT_EQ(Entries(m_dir), before);
    }
}

// Names are bytes: one that is no UTF-8, and one as long as a name may be, are written as
// given (the temporary name beside them fits as well).
TEST_F(OutputPath, NamesKeepEveryByte) {
    for (const ToolCommand& command : Commands(Path("day.RSD"))) {
        for (const std::string_view base : {"Caf\xe9-", "long"}) {
            std::string name(base == "long" ? std::string(250 - std::strlen(command.suffix), 'n')
                                            : std::string(base) + command.name);
            name += command.suffix;
            SCOPED_TRACE(std::string(command.name) + " to " + name);
            const std::string quoted = std::string(1, '\'').append(Path(name)).append("'");
            const ToolRun run = Tool(Replace(command.args, "OUT", quoted));
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(fs::is_regular_file(Path(name)));
        }
    }
}
