// Paths that name no regular file: every reader and writer refuses them at once and says why.
#include <sys/stat.h>

#include <cerrno>

#include "IniFile.h"
#include "RegularFile.h"
#include "SyntheticData.h"
#include "rsd_fixture.h"

using SpecialFileTest = RsdFileTest;

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
        if (c.cause != ENOENT) {
            EXPECT_FALSE(record.Save(path));
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(PathOf("fifo")));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("device")));
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
