// Radview's files: names that are no UTF-8, exports that would destroy the open file, and
// a crafted file of empty blocks under a memory limit.
#include <sys/resource.h>

#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "CatView.h"
#include "ChildFrame.h"
#include "DayView.h"
#include "NativePath.h"
#include "RadviewDoc.h"
#include "RegularFile.h"
#include "SyntheticData.h"
#include "ViewerTest.h"

namespace {

// The address space this process has mapped now, from /proc (kB).
std::size_t MappedKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmSize:")) return std::stoul(line.substr(7));
    return 0;
}

// Runs work with at most extra bytes of address space more than mapped now.
template <typename Work>
void WithinMoreAddressSpace(std::size_t extra, Work work) {
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit limit = old;
    limit.rlim_cur = MappedKilobytes() * 1024 + extra;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
    work();
    setrlimit(RLIMIT_AS, &old);
}

}  // namespace

TEST(NativePath, EveryNameKeepsItsBytes) {
    const std::string names[] = {
        "plain.RSD",
        "Caf\xc3\xa9.RSD",
        "Caf\xe9.RSD",           // UTF-8, Latin-1
        "\x93\xfa\x95\x74.RSD",  // Shift_JIS
        "\xed\xa0\x80.RSD",
        "\xc0\xaf.RSD",  // a surrogate, an overlong form
        "\xf0\x9f\x8c\x9e.RSD",
        "cut\xe2\x82",  // four bytes; a cut sequence
    };
    for (const std::string& name : names) EXPECT_EQ(PathBytes(PathFromBytes(name)), name) << name;
    EXPECT_EQ(PathFromBytes("Caf\xc3\xa9"), QStringLiteral("Caf\u00e9"));
    // A dropped file's URL carries the bytes escaped.
    EXPECT_EQ(PathBytes(PathFromFileUrl(QUrl(QStringLiteral("file:///data/Caf%E9%20x.RSD")))),
              "/data/Caf\xe9 x.RSD");
    EXPECT_EQ(PathFromFileUrl(QUrl::fromLocalFile(QStringLiteral("/data/Caf\u00e9.RSD"))),
              QStringLiteral("/data/Caf\u00e9.RSD"));
}

using ViewerFiles = ViewerTest;

TEST_F(ViewerFiles, ANameThatIsNoUtf8OpensAndSaves) {
    const std::string bytes = m_dir.path().toStdString() + "/Caf\xe9.RSD";
    std::filesystem::copy_file(PathBytes(WriteDayFile("a.RSD", 3)), bytes);
    CRadviewDoc doc(*m_app);
    ASSERT_EQ(doc.Open(PathFromBytes(bytes)), 3) << doc.LastError().toStdString();
    EXPECT_FALSE(doc.ChangedOnDisk());
    doc.Data().RemoveAt(0);
    ASSERT_TRUE(doc.Save(doc.Path()));
    CRsdData back;
    EXPECT_EQ(back.Load(bytes), 2);
    // The same bytes and time under a new inode: another program replaced the file.
    EXPECT_FALSE(doc.ChangedOnDisk());
    std::filesystem::copy_file(bytes, bytes + ".new");
    std::filesystem::last_write_time(bytes + ".new", std::filesystem::last_write_time(bytes));
    std::filesystem::rename(bytes + ".new", bytes);
    EXPECT_TRUE(doc.ChangedOnDisk());
}

TEST_F(ViewerFiles, AnExportNeverReplacesTheOpenFile) {
    CRadviewDoc doc(*m_app);
    const QString day = WriteDayFile("a.RSD", 3);
    ASSERT_EQ(doc.Open(day), 3);
    const std::string before = ReadBytes(day);
    doc.Data().GetAt(0).m_nSelect = 1;
    EXPECT_EQ(doc.ExportSpectralCsv(PathBytes(day)), kExportNotWritable);
    EXPECT_EQ(errno, rad::kErrOutputIsInput);
    EXPECT_EQ(doc.ExportCalcCsv(PathBytes(day)), kExportNotWritable);
    EXPECT_EQ(errno, rad::kErrOutputIsInput);
    EXPECT_EQ(ReadBytes(day), before);
}

TEST_F(ViewerFiles, ACraftedFileOfEmptyBlocksOpensWithinALimit) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' shadow memory does not fit under an address-space limit";
#endif
    // 4 MB of records without payloads; each used to cost a catalog picture of its own.
    CRsdData calibrated;
    rad::MakeSyntheticDay(calibrated, 1, {kQS200, kQS300}, 1717221600, 60);
    calibrated.RemoveAt(0);
    const std::string path = m_dir.path().toStdString() + "/crafted.RSD";
    ASSERT_TRUE(calibrated.Save(path));
    {
        std::ofstream out(path, std::ios::app | std::ios::binary);
        const std::string record =
            "DT_RSD,100\nMT,20240601120000\nDT_RSD_END\nDT_QS200,100\nDT_QS200_END\n"
            "DT_QS300,100\nDT_QS300_END\n";
        for (std::size_t size = 0; size < (std::size_t{4} << 20); size += record.size())
            out << record;
    }
    WithinMoreAddressSpace(std::size_t{400} << 20, [&] {
        CChildFrame& frame = OpenInChild(PathFromBytes(path), QSize(600, 400));
        frame.CatView()->viewport()->grab();
        const CRsdData& set = frame.Doc().Data();
        EXPECT_GT(set.GetCount(), 40000);
        EXPECT_NE(frame.CatView()->TileOf(set.GetAt(0)), nullptr);  // drawn, in view
        // The last records, beyond what is drawn at once, are drawn when they come into view.
        CCatView* catalog = frame.CatView();
        EXPECT_EQ(catalog->TileOf(set.GetAt(set.GetCount() - 1)), nullptr);
        catalog->verticalScrollBar()->setValue(catalog->verticalScrollBar()->maximum());
        catalog->viewport()->grab();  // paints, shown on a screen or not
        EXPECT_NE(catalog->TileOf(set.GetAt(set.GetCount() - 1)), nullptr);
        frame.SwitchView(2);  // the day's series of every record
        frame.DayView()->grab();
    });
}
