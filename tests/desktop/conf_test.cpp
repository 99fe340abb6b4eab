// The Measurement Settings dialog: its rules, the values it stores on OK and the port probe.
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <tuple>

#include "ConfRules.h"
#include "DesktopTestSupport.h"
#include "PortProbe.h"
#include "RadlogConfDlg.h"
#include "Serial.h"

namespace {

template <class T>
T* Find(const QWidget& dialog, const QString& name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

QCheckBox* Use(const QWidget& d, int m) { return Find<QCheckBox>(d, QString("use%1").arg(m)); }
QComboBox* Port(const QWidget& d, int m) { return Find<QComboBox>(d, QString("port%1").arg(m)); }

TEST(ConfRules, SpinPositionsFromStoredSeconds) {
    // seconds: hour, minute, interval minutes
    const std::array<int, kModelCount> cases[] = {
        {21600, 6, 0, 360}, {72000, 20, 0, 720},  {600, 0, 10, 10},
        {7200, 2, 0, 120},  {86399, 23, 59, 720}, {59, 0, 0, 1},
    };
    for (const auto& [seconds, hour, minute, interval] : cases) {
        EXPECT_EQ(rad::HourOf(seconds), hour) << seconds;
        EXPECT_EQ(rad::MinuteOf(seconds), minute) << seconds;
        EXPECT_EQ(rad::IntervalMinutesOf(seconds), interval) << seconds;
    }
}

// Whatever font the desktop gives, no control of the laid-out dialog covers another.
TEST(ConfDialog, LayoutModelPairsAndMerge) {
    ConfValues values;
    values.use = {true, false, true, false};
    CConfDlg dialog(values, {});
    dialog.show();
    EXPECT_EQ(desktop_test::OverlappingControls(dialog), QStringList());
    auto* merge = Find<QCheckBox>(dialog, "merge");
    EXPECT_TRUE(merge->isChecked());
    EXPECT_TRUE(merge->isEnabled());
    QTest::mouseClick(Use(dialog, 2), Qt::LeftButton);  // no long-wave model left
    EXPECT_FALSE(merge->isChecked());
    EXPECT_FALSE(merge->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(dialog, "csvModel2")->isChecked());
    QTest::mouseClick(Use(dialog, 2), Qt::LeftButton);  // Merge stays cleared
    EXPECT_FALSE(merge->isChecked());
    EXPECT_TRUE(merge->isEnabled());

    EXPECT_TRUE(Port(dialog, 0)->isEnabled());
    QTest::mouseClick(Use(dialog, 1), Qt::LeftButton);
    EXPECT_FALSE(Use(dialog, 0)->isChecked());
    EXPECT_TRUE(Use(dialog, 1)->isChecked());
    EXPECT_FALSE(Port(dialog, 0)->isEnabled());
    EXPECT_TRUE(Port(dialog, 1)->isEnabled());
    QTest::mouseClick(Use(dialog, 0), Qt::LeftButton);  // and back
    EXPECT_FALSE(Use(dialog, 1)->isChecked());
}

TEST(ConfDialog, CsvControlsFollowSaveAndPitch) {
    ConfValues values;
    values.use = {true, false, false, false};
    CConfDlg dialog(values, {});
    dialog.show();  // laid out: a click lands on the control, whatever the font
    auto* from = Find<QLineEdit>(dialog, "csvFrom");
    auto* folder = Find<QLineEdit>(dialog, "csvFolder");
    EXPECT_FALSE(from->isEnabled());  // "Raw" keeps the range disabled
    EXPECT_TRUE(folder->isEnabled());
    QTest::mouseClick(Find<QRadioButton>(dialog, "pitch1nm"), Qt::LeftButton);
    EXPECT_TRUE(from->isEnabled());
    QTest::mouseClick(Find<QCheckBox>(dialog, "csvSave"), Qt::LeftButton);
    for (const char* name : {"csvFrom", "csvFolder", "csvBrowse", "pitchRaw", "csvModel0"})
        EXPECT_FALSE(Find<QWidget>(dialog, name)->isEnabled()) << name;
    EXPECT_TRUE(Find<QRadioButton>(dialog, "pitch1nm")->isChecked());  // values are kept
    EXPECT_TRUE(Find<QCheckBox>(dialog, "csvModel0")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>(dialog, "rsdFolder")->isEnabled());
}

// Whole minutes, ports kept, and folders with their separator (an empty one never the root).
TEST(ConfDialog, OkStoresWholeMinutesPortsAndFolders) {
    ConfValues values;
    values.rsdFolder = "/data/rsd/";
    values.start = 21600 + 59;  // seconds are not shown, so they are not kept
    values.interval = 600;
    values.port = {3, 9, 0, 0};
    CConfDlg dialog(values, {{3, "/dev/ttyUSB2"}});
    auto* interval = Find<QSpinBox>(dialog, "interval");
    EXPECT_EQ(interval->value(), 10);
    EXPECT_EQ(Port(dialog, 1)->currentIndex(), -1);  // COM9 is not there now
    interval->setValue(720);
    interval->stepUp();  // wraps around
    EXPECT_EQ(interval->value(), 1);
    Find<QSpinBox>(dialog, "startMinute")->setValue(45);
    Find<QLineEdit>(dialog, "rsdFolder")->setText("/data/radiometer");
    Find<QLineEdit>(dialog, "csvFolder")->setText("");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Values().interval, 60);
    EXPECT_EQ(dialog.Values().start, 6 * 3600 + 45 * 60);
    EXPECT_EQ(dialog.Values().finish, 72000);
    EXPECT_EQ(dialog.Values().port, (std::array<int, kModelCount>{3, 9, 0, 0}));
    EXPECT_EQ(dialog.Values().rsdFolder, "/data/radiometer/");
    EXPECT_EQ(dialog.Values().csvFolder, "");
}

// A memo is kept as typed exactly when it reads back whole; otherwise the fitted text does.
TEST(ConfRules, FitMemoKeepsWhatReadsBack) {
    const std::string roof = "\xE5\xB1\x8B";  // one Japanese character, 3 bytes
    std::string elevenRoofs;
    for (int i = 0; i < 11; ++i) elevenRoofs += roof;
    const std::pair<std::string, std::string> cases[] = {
        {"ARVEN SOLIS", "ARVEN SOLIS"},
        {"", ""},
        {roof + roof, roof + roof},
        {"roof, north", "roof north"},
        {"a\r\nb,,c", "abc"},
        {std::string(31, 'a'), std::string(31, 'a')},
        {std::string(32, 'x'), std::string(31, 'x')},
        {"line\nbreak", "linebreak"},
        {std::string(30, 'a') + roof, std::string(30, 'a')},     // 31 characters but 33 bytes
        {elevenRoofs, elevenRoofs.substr(0, 30)},                // ten whole characters
        {"a" + elevenRoofs, "a" + elevenRoofs.substr(0, 30)},    // 31 bytes exactly
        {"ab" + elevenRoofs, "ab" + elevenRoofs.substr(0, 27)},  // no half character
        {std::string(31, ','), ""},
    };
    for (const auto& [typed, kept] : cases) {
        EXPECT_EQ(rad::FitMemo(typed), kept) << typed;
        EXPECT_EQ(rad::MemoReadsBackWhole(typed), typed == kept) << typed;
        EXPECT_TRUE(rad::MemoReadsBackWhole(kept)) << typed;
    }
}

TEST(ConfDialog, MemoKeepsWhatFitsAndShowsTheLimit) {
    CConfDlg dialog(ConfValues{}, {});
    dialog.show();
    auto* memo = Find<QLineEdit>(dialog, "memo");
    auto* hint = Find<QLabel>(dialog, "memoHint");
    QTest::keyClicks(memo, "roof north");
    EXPECT_FALSE(hint->isVisible());
    QTest::keyClicks(memo, ", and more text than the field holds");
    EXPECT_EQ(memo->text(), "roof north and more text than t");
    EXPECT_TRUE(hint->isVisible());
    // A paste past the limit keeps the text already there and what still fits.
    memo->setText("roof");
    memo->end(false);
    memo->insert(QString::fromUtf8("、南向きの屋上にある計測器のデータ"));
    EXPECT_EQ(memo->text(), QString::fromUtf8("roof、南向きの屋上にあ"));  // 31 bytes
    dialog.accept();
    EXPECT_EQ(dialog.Values().memo, "roof、南向きの屋上にあ");
}

// Every wavelength edit takes a whole 0..100000 nm, and each range pair an end after its start;
// anything else keeps the dialog open with the message, the values unchanged and the focus on
// the edit. The raw grid's greyed range is not in use: OK does not stick on it.
TEST(ConfDialog, WavelengthsAndRangesAreBounded) {
    ConfValues oneNm, integ, csv, window, raw, rawHuge;
    oneNm.pitch = 1;  // the range edits in use
    integ.integFrom = 1800, integ.integTo = 300;
    csv.csvFrom = csv.csvTo = 400, csv.pitch = 1;
    window.start = 72000, window.finish = 21600;
    raw.csvFrom = 900, raw.csvTo = 400;
    rawHuge.csvTo = 2147483647;
    const struct {
        ConfValues values;
        const char *field, *text, *message;  // no message: accepted
    } cases[] = {{oneNm, "csvTo", "2147483647", "100000"},
                 {oneNm, "csvFrom", "-1", "100000"},
                 {oneNm, "integTo", "100001", "100000"},
                 {oneNm, "integFrom", "3OO", ""},
                 {integ, "integTo", "", "between 1801 and 100000"},
                 {csv, "csvTo", "", "between 401 and 100000"},
                 {window, "finishHour", "", "finish time after the start"},
                 {raw, "", "", nullptr},
                 {rawHuge, "", "", nullptr}};
    for (const auto& [values, field, text, message] : cases) {
        CConfDlg dialog(values, {});
        dialog.show();
        if (*text) Find<QLineEdit>(dialog, field)->setText(text);
        const auto question = desktop_test::AnswerNextMessageBox(QMessageBox::Ok);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, !message) << field << text;
        if (!message) continue;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !question->isEmpty(); })) << field << text;
        EXPECT_TRUE(question->contains(message)) << question->toStdString();
        EXPECT_TRUE(dialog.isVisible()) << field << text;
        EXPECT_EQ(dialog.focusWidget(), Find<QWidget>(dialog, field)) << field << text;
        EXPECT_EQ(dialog.Values().integFrom, values.integFrom);
    }
    CConfDlg dialog(oneNm, {});
    Find<QLineEdit>(dialog, "csvTo")->setText("100000");
    Find<QLineEdit>(dialog, "integFrom")->setText("0");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Values().csvTo, 100000);
    EXPECT_EQ(dialog.Values().integFrom, 0);
}

// A demo's interval in seconds is shown read-only and survives OK; whole minutes stay editable.
TEST(ConfDialog, IntervalInSecondsSurvivesOk) {
    for (const int64_t interval : {10, 90, 600}) {
        ConfValues values;
        values.interval = interval;
        CConfDlg dialog(values, {});
        EXPECT_EQ(Find<QLabel>(dialog, "secondsInterval")->isVisibleTo(&dialog), interval != 600);
        dialog.accept();
        EXPECT_EQ(dialog.Values().interval, interval);
    }
}

// A pseudo-terminal pair; the slave side stands in for a serial adapter.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;
    Pty() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0) path = name;
    }
    ~Pty() {
        if (slave >= 0) close(slave);
        if (master >= 0) close(master);
    }
};

TEST(PortProbe, ListsOnlyPortsThatOpenExclusively) {
    Pty free;
    Pty held;
    ASSERT_FALSE(free.path.empty());
    ASSERT_FALSE(held.path.empty());
    CSerial owner;  // another program holds this adapter
    ASSERT_EQ(owner.Open(held.path, kBaudRate), 1);
    // Unmapped numbers go to /dev/ttyUSB<n-1>; point them at nothing so the machine's own
    // adapters do not take part.
    rad::PortMap map;
    for (int n = 1; n <= 17; ++n) map[n] = "/nonexistent/tty" + std::to_string(n);
    map[3] = free.path;
    map[5] = held.path;
    map[17] = free.path;  // above COM16: never offered
    const std::vector<PortEntry> ports = ProbePorts(map);
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].number, 3);
    EXPECT_EQ(ports[0].device.toStdString(), free.path);

    // The probe closed the port again, so the acquisition can take it.
    CSerial later;
    EXPECT_EQ(later.Open(free.path, kBaudRate), 1);

    ConfValues values;
    values.port = {3, 0, 0, 0};
    CConfDlg dialog(values, ports);
    QComboBox* list = Port(dialog, 0);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), "COM3");
    EXPECT_EQ(list->itemData(1, Qt::ToolTipRole).toString().toStdString(), free.path);
    EXPECT_EQ(Port(dialog, 1)->currentIndex(), 0);  // the empty entry stands for port 0
}

}  // namespace
