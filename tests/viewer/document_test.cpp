#include <QProcess>
#include <fstream>

#include "RadviewDoc.h"
#include "ViewerTest.h"

using Document = ViewerTest;

TEST_F(Document, OpenAndFailedOpen) {
    CRadviewDoc doc(*m_app);
    EXPECT_LT(doc.Open(m_dir.filePath(QStringLiteral("missing.RSD"))), 0);
    EXPECT_FALSE(doc.LastError().isEmpty());
    const QString junk = m_dir.filePath(QStringLiteral("junk.RSD"));
    std::ofstream(junk.toStdString()) << "not a data file\n";
    EXPECT_LT(doc.Open(junk), 0);

    int hint = -1;
    QObject::connect(&doc, &CRadviewDoc::updated, [&hint](int h) { hint = h; });
    EXPECT_EQ(doc.Open(WriteDayFile("a.RSD", 3)), 3);
    EXPECT_EQ(hint, kHintRebuildTiles);
    EXPECT_EQ(doc.Data().GetCount(), 3);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Document, DeleteSecondAndFifthOfEight) {
    CRadviewDoc doc(*m_app);
    ASSERT_EQ(doc.Open(WriteDayFile("a.RSD", 8)), 8);
    const auto times = [&doc] {
        std::vector<int64_t> t;
        for (int i = 0; i < doc.Data().GetCount(); ++i) t.push_back(doc.Data().GetAt(i).m_time);
        return t;
    };
    std::vector<int64_t> expected = times();
    expected.erase(expected.begin() + 4);
    expected.erase(expected.begin() + 1);
    doc.Data().GetAt(1).m_nSelect = 1;
    doc.Data().GetAt(4).m_nSelect = 1;
    doc.DeleteSelected();
    EXPECT_EQ(times(), expected);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(Document, NextAndPreviousEnabling) {
    CRadviewDoc doc(*m_app);
    ASSERT_EQ(doc.Open(WriteDayFile("a.RSD", 3)), 3);
    doc.Data().GetAt(1).m_nSelect = 1;
    doc.ShowSelected();
    EXPECT_FALSE(doc.CanNext());  // still in the catalog
    doc.m_nViewMode = 1;
    doc.PrepareShown();
    ASSERT_EQ(doc.m_shownSpectra.size(), 1u);
    EXPECT_TRUE(doc.CanNext());
    EXPECT_TRUE(doc.CanPrevious());
    doc.Next();
    EXPECT_EQ(doc.m_shownIndices, std::vector<int>{2});
    EXPECT_EQ(doc.m_shownSpectra.size(), 1u);
    EXPECT_FALSE(doc.CanNext());
    doc.Next();  // the last record: nothing happens
    EXPECT_EQ(doc.m_shownIndices, std::vector<int>{2});
    doc.m_shownIndices = {0, 1};
    EXPECT_FALSE(doc.CanNext());
    EXPECT_FALSE(doc.CanPrevious());
}

// The exports and rsdtool share the core; the files must agree byte for byte.
TEST_F(Document, ExportsEqualRsdtool) {
    const QByteArray rsdtool = qgetenv("RSDTOOL");
    if (rsdtool.isEmpty()) GTEST_SKIP() << "RSDTOOL not set";
    m_app->Settings().csv.pitch = 1;
    m_app->Settings().csv.left = 350;
    m_app->Settings().csv.right = 1200;
    m_app->Settings().integ = {400, 700};
    ASSERT_TRUE(m_app->SaveSettings());
    CRadviewDoc doc(*m_app);
    const QString day = WriteDayFile("a.RSD", 6);
    ASSERT_EQ(doc.Open(day), 6);
    doc.Data().GetAt(4).m_nSelect = 1;
    doc.Data().GetAt(1).m_nSelect = 1;

    for (const QString& command : {QStringLiteral("spectral-csv"), QStringLiteral("calc-csv")}) {
        const QString ours = m_dir.filePath(command + "-viewer.csv");
        const QString theirs = m_dir.filePath(command + "-tool.csv");
        if (command == QStringLiteral("spectral-csv"))
            ASSERT_TRUE(doc.ExportSpectralCsv(ours.toStdString()));
        else
            ASSERT_EQ(doc.ExportCalcCsv(ours.toStdString()), 1);
        const int rc = QProcess::execute(
            QString::fromLocal8Bit(rsdtool),
            {command, QStringLiteral("--profile"), QString::fromStdString(Profile()),
             QStringLiteral("--records"), QStringLiteral("1,4"), day, theirs});
        ASSERT_EQ(rc, 0) << command.toStdString();
        const std::string bytes = ReadBytes(ours);
        EXPECT_GT(bytes.size(), 100u);
        EXPECT_EQ(bytes, ReadBytes(theirs)) << command.toStdString();
    }
}
