#include "ViewerTest.h"

#include <QApplication>
#include <QFile>
#include <clocale>

#include "LocalTime.h"
#include "SyntheticData.h"

void ViewerTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    rad::ProfileLocation location;
    location.profilePath = m_dir.filePath(QStringLiteral("radview.ini")).toStdString();
    location.programFolder = m_dir.path().toStdString() + "/";
    m_app = std::make_unique<CRadviewApp>(location);
    m_app->LoadSettings();
}

QString ViewerTest::WriteDayFile(const QString& name, int count, int64_t start, int step) {
    CRsdData set;
    rad::MakeSyntheticDay(set, count, {kQS100, kQS300}, start, step);
    const QString path = m_dir.filePath(name);
    EXPECT_TRUE(set.Save(path.toStdString()));
    return path;
}

CMainFrame& ViewerTest::OpenInWindow(const QString& path, QSize size) {
    m_window = std::make_unique<CMainFrame>(*m_app);
    if (size.isValid()) m_window->resize(size);
    m_window->show();
    EXPECT_TRUE(m_window->OpenFile(path)) << path.toStdString();
    return *m_window;
}

CChildFrame& ViewerTest::OpenInChild(const QString& path, QSize size) {
    m_child = std::make_unique<CChildFrame>(*m_app);
    m_child->resize(size);
    m_child->show();
    EXPECT_TRUE(m_child->OpenDocument(path)) << path.toStdString();
    return *m_child;
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    qputenv("TZ", "Asia/Tokyo");
    QApplication app(argc, argv);
    setlocale(LC_NUMERIC, "C");
    rad::InitTimeZone();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
