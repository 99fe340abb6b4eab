// The one writer that replaces files: links, owners, failures and what killed saves leave.
#include "AtomicFile.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "OutputPath.h"
#include "RegularFile.h"
#include "SpectralCsv.h"
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

TEST_F(AtomicFileTest, FailuresNameTheirCauseAndKeepTheOldFile) {
    const std::string folder = PathOf("folder");
    std::filesystem::create_directory(folder);
    const std::string fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string loop = PathOf("loop");
    std::filesystem::create_symlink("loop", loop);
    struct Case {
        std::string path;
        int error;
    } const cases[] = {
        {folder, EISDIR},
        {fifo, rad::kErrNotRegularFile},
        {loop, ELOOP},
        {PathOf("missing/x.csv"), ENOENT},
        {PathOf("device"), rad::kErrNotRegularFile},
        {PathOf(std::string(256, 'n')), ENAMETOOLONG},
        // Names up to the limit have a temporary name that fits as well.
        {PathOf(std::string(255, 'n')), 0},
        {PathOf(std::string(236, 'n')), 0},
    };
    std::filesystem::create_symlink("/dev/null", PathOf("device"));
    for (const Case& c : cases) {
        EXPECT_EQ(rad::WriteFileAtomic(c.path, "new"), c.error) << c.path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(EntriesIn(m_dir), 6);  // and no temporary file
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
