#include "ViewerTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <clocale>

#include "LocalTime.h"
#include "SyntheticData.h"

namespace {

constexpr int64_t kMorning = 1717221600;  // 2024-06-01 06:00:00 UTC

void ClickWhenOpen(std::function<QAbstractButton*(QMessageBox*)> pick) {
    QTimer::singleShot(0, [pick] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return ClickWhenOpen(pick);
        if (QAbstractButton* button = pick(box)) button->click();
    });
}

}  // namespace

void ViewerTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    rad::ProfileLocation location;
    location.profilePath = m_dir.filePath(QStringLiteral("radview.ini")).toStdString();
    location.programFolder = m_dir.path().toStdString() + "/";
    m_app = std::make_unique<CRadviewApp>(location);
    m_app->LoadSettings();
}

QString ViewerTest::WriteDayFile(const QString& name, int count) {
    CRsdData set;
    rad::MakeSyntheticDay(set, count, {kQS100, kQS300}, kMorning, 60);
    const QString path = m_dir.filePath(name);
    EXPECT_TRUE(set.Save(path.toStdString()));
    return path;
}

void AnswerNextMessageBox(QMessageBox::StandardButton button) {
    ClickWhenOpen([button](QMessageBox* box) { return box->button(button); });
}

void AnswerNextMessageBox(const QString& buttonText) {
    ClickWhenOpen([buttonText](QMessageBox* box) -> QAbstractButton* {
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == buttonText) return b;
        }
        return nullptr;
    });
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
