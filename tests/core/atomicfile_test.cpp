// The one writer that replaces files: links, owners, failures and what killed saves leave; and
// paths that name no regular file, which every reader and writer refuses at once, saying why.
#include "AtomicFile.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "IniFile.h"
#include "OutputPath.h"
#include "RegularFile.h"
#include "SpectralCsv.h"
#include "SyntheticData.h"
#include "rsd_fixture.h"

namespace {

using AtomicFileTest = RsdFileTest;

int EntriesIn(const std::filesystem::path& dir) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

void SetAge(const std::string& path, long long seconds) {
    const timeval old = {static_cast<time_t>(std::time(nullptr) - seconds), 0};
    const timeval times[2] = {old, old};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
}

// Higher than any pid the kernel hands out, so no process has it.
constexpr pid_t kGonePid = 1 << 30;

}  // namespace

// Special files are refused with their cause below, with every reader and writer.
TEST_F(AtomicFileTest, NamesUpToTheLimitHaveATemporaryNameThatFits) {
    const std::pair<std::string, int> cases[] = {
        {PathOf("missing/x.csv"), ENOENT},
        {PathOf(std::string(256, 'n')), ENAMETOOLONG},
        {PathOf(std::string(255, 'n')), 0},
        {PathOf(std::string(236, 'n')), 0},
    };
    for (const auto& [path, error] : cases)
        EXPECT_EQ(rad::WriteFileAtomic(path, "new"), error) << path;
    EXPECT_EQ(EntriesIn(m_dir), 2);  // and no temporary file
}

TEST_F(AtomicFileTest, AnOutputIsRefusedWhenItIsAnInput) {
    const std::string input = PathOf("day.rsd");
    WriteBytes(input, "input");
    std::filesystem::create_hard_link(input, PathOf("same.rsd"));
    std::filesystem::create_symlink("day.rsd", PathOf("link.rsd"));
    WriteBytes(PathOf("other.rsd"), "input");
    const std::vector<std::string> inputs = {PathOf("missing.rsd"), input};
    const std::pair<const char*, int> cases[] = {
        {"day.rsd", rad::kErrOutputIsInput},
        {"same.rsd", rad::kErrOutputIsInput},
        {"link.rsd", rad::kErrOutputIsInput},
        {"other.rsd", 0},
        {"new.rsd", 0},
    };
    for (const auto& [name, error] : cases)
        EXPECT_EQ(rad::CheckOutputPath(PathOf(name), inputs), error) << name;
}

TEST_F(AtomicFileTest, FullDiskKeepsTheOldCsv) {
    const std::string path = PathOf("day.csv");
    ASSERT_EQ(rad::WriteFileAtomic(path, "good old lines\n"), 0);
    const std::vector<std::string> lines(1000, std::string(100, '1'));

    const auto [written, error] = UnderFileSizeLimit(5000, [&] {
        errno = 0;
        const bool ok = rad::WriteCsvLines(path, lines);
        return std::pair{ok, errno};
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadBytes(path), "good old lines\n");
    EXPECT_EQ(EntriesIn(m_dir), 1);
}

TEST_F(AtomicFileTest, SavingThroughSymlinksReplacesTheirTarget) {
    std::filesystem::create_directory(PathOf("data"));
    const std::string target = PathOf("data/day.rsd");
    WriteBytes(target, "old");
    // A relative link to an absolute link to the file.
    std::filesystem::create_symlink(target, PathOf("data/absolute"));
    std::filesystem::create_symlink("data/absolute", PathOf("relative"));
    ASSERT_EQ(rad::WriteFileAtomic(PathOf("relative"), "new"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("relative")));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("data/absolute")));
    EXPECT_EQ(ReadBytes(target), "new");

    // A dangling link gets its file created.
    std::filesystem::create_symlink("data/later.csv", PathOf("later"));
    ASSERT_EQ(rad::WriteFileAtomic(PathOf("later"), "made"), 0);
    EXPECT_EQ(ReadBytes(PathOf("data/later.csv")), "made");
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("later")));
}

TEST_F(AtomicFileTest, KeepsModeAndOwnerButNotOtherHardLinks) {
    const std::string path = PathOf("radlog.ini");
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 12345, 54321), 0);
    }
    const std::string other = PathOf("other-name");
    std::filesystem::create_hard_link(path, other);

    ASSERT_EQ(rad::WriteFileAtomic(path, "new"), 0);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 12345u);
        EXPECT_EQ(st.st_gid, 54321u);
    }
    // The other name keeps the old content: a crash never leaves it half written.
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(other), "old");
}

TEST_F(AtomicFileTest, RemovesOnlyStaleTemporariesOfDeadSavesOfTheSameFile) {
    const std::string target = PathOf("day.rsd");
    WriteBytes(target, "old");
    struct Case {
        std::string name;
        long long age;
        bool removed;
    } const cases[] = {
        {"day.rsd.saving-" + std::to_string(kGonePid) + "-0.tmp", 120, true},
        {"day.rsd.saving-" + std::to_string(kGonePid) + "-17.tmp", 61, true},
        {"day.rsd.saving-" + std::to_string(kGonePid) + "-1.tmp", 30, false},      // may be fresh
        {"day.rsd.saving-" + std::to_string(::getppid()) + "-0.tmp", 120, false},  // alive
        {"other.rsd.saving-" + std::to_string(kGonePid) + "-0.tmp", 120, false},
        {"day.rsd.saving-" + std::to_string(kGonePid) + "-x.tmp", 120, false},
        {"day.rsd.saving-" + std::to_string(kGonePid) + ".tmp", 120, false},
        {"day.rsd.old", 120, false},
    };
    for (const Case& c : cases) {
        WriteBytes(PathOf(c.name), "partial");
        SetAge(PathOf(c.name), c.age);
    }
    ASSERT_EQ(rad::WriteFileAtomic(target, "new"), 0);
    for (const Case& c : cases) {
        EXPECT_EQ(std::filesystem::exists(PathOf(c.name)), !c.removed) << c.name;
    }
    EXPECT_EQ(ReadBytes(target), "new");
}

TEST_F(AtomicFileTest, AnUncommittedFileLeavesTheTargetAlone) {
    const std::string path = PathOf("day.rsd");
    WriteBytes(path, "old");
    {
        rad::CAtomicFile file(path);
        ASSERT_EQ(file.Error(), 0);
        ASSERT_TRUE(file.Write("half of the new"));
        EXPECT_TRUE(std::filesystem::exists(file.TempPath()));
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(EntriesIn(m_dir), 1);
}

using SpecialFileTest = AtomicFileTest;

// Each is left as it was, with no temporary file beside it.
TEST_F(SpecialFileTest, EveryReaderAndWriterRefusesWithoutBlocking) {
    ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(PathOf("folder"));
    std::filesystem::create_symlink("/dev/null", PathOf("device"));
    std::filesystem::create_symlink("loop", PathOf("loop"));
    const struct {
        const char* name;
        int loadResult, cause;
        const char* text;  // what the messages of the programs say
    } cases[] = {
        {"fifo", kRsdCannotOpen, rad::kErrNotRegularFile,
         "the file cannot be opened for reading: not a regular file"},
        {"device", kRsdCannotOpen, rad::kErrNotRegularFile,
         "the file cannot be opened for reading: not a regular file"},
        {"folder", kRsdCannotOpen, EISDIR, "the file cannot be opened for reading: is a directory"},
        {"loop", kRsdNoFile, ELOOP,
         "the file cannot be opened for reading: too many levels of symbolic links"},
        {"missing", kRsdNoFile, ENOENT, "the file does not exist"},
    };
    CRsdData record;
    rad::MakeSyntheticDay(record, 1, {kQS100}, LocalTime(2024, 6, 1, 10, 0, 0), 60);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(c.name);
        CRsdData set;
        errno = 0;
        const int result = set.Load(path);
        const int cause = errno;
        EXPECT_EQ(result, c.loadResult);
        EXPECT_EQ(cause, c.cause);
        EXPECT_EQ(RsdLoadErrorText(result, cause), c.text);

        CIniFile ini;
        errno = 0;
        EXPECT_FALSE(ini.Load(path));
        EXPECT_EQ(errno, c.cause);

        EXPECT_FALSE(record.Append(path, record.GetAt(0)));
        if (c.cause != ENOENT) {  // a missing file the writers create
            EXPECT_FALSE(record.Save(path));
            EXPECT_EQ(rad::WriteFileAtomic(path, "new"), c.cause);
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(PathOf("fifo")));
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("folder")));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("device")));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(EntriesIn(m_dir), 4);
}

TEST(FileErrorText, NamesTheCausesUsersMeet) {
    const std::pair<int, const char*> cases[] = {
        {ENOSPC, "no space left on device"}, {EROFS, "read-only file system"},
        {EISDIR, "is a directory"},          {ELOOP, "too many levels of symbolic links"},
        {EACCES, "permission denied"},       {rad::kErrNotRegularFile, "not a regular file"},
    };
    for (const auto& [error, text] : cases) EXPECT_EQ(rad::FileErrorText(error), text);
    // An errno without a text of its own still shows its number.
    EXPECT_EQ(rad::FileErrorText(ECHILD), "error " + std::to_string(ECHILD));
}
