// Runs with TZ=Europe/Berlin: the zone changes its clocks twice a year.
#include "Schedule.h"

#include <gtest/gtest.h>

#include <vector>

#include "LocalTime.h"
#include "SkippedSlots.h"

namespace {

TEST(Schedule, CycleIsDueOnlyInANewSlotInsideTheWindow) {
    const rad::IntervalWindow window;  // 06:00:00 .. 20:00:00 every 600 s
    const struct {
        const char* what;
        int64_t second, prev;
        bool due;
    } cases[] = {
        {"first tick of an acquisition", 21600, 0, false},
        {"05:59:59 before the window", 21599, 21598, false},
        {"06:00:00 enters slot 36", 21600, 21599, true},
        {"06:00:01 same slot", 21601, 21600, false},
        {"late tick still starts the new slot", 22205, 22199, true},
        {"20:00:00 END included", 72000, 71999, true},
        {"20:10:00 after END", 72600, 72599, false},
        {"after midnight", 1, 86399, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rad::IsCycleDue(window, c.second, c.prev), c.due) << c.what;
    EXPECT_FALSE(rad::IsCycleDue({0, 86399, 0}, 600, 599)) << "interval 0 never measures";
    EXPECT_TRUE(rad::IsCycleDue({0, 86399, 600}, 0, 86399)) << "00:00:00 with START 0";
    // A late tick is stamped with its slot's start.
    const int64_t tick = rad::LocalFieldsToTime(2024, 7, 1, 6, 10, 7).value();
    EXPECT_EQ(rad::SlotTime(tick, 6 * 3600 + 10 * 60 + 7, 600),
              rad::LocalFieldsToTime(2024, 7, 1, 6, 10, 0));
}

// Every second of a local day through the schedule: the stamps rise and land on the slots.
std::vector<int64_t> CyclesOfDay(int year, int month, int day) {
    const rad::IntervalWindow window{0, 86399, 600};
    std::vector<int64_t> stamps;
    int64_t t = rad::LocalFieldsToTime(year, month, day, 0, 0, 1).value();
    int64_t prev = 0;
    for (; rad::ToLocalTm(t)->tm_mday == day; ++t) {
        const int64_t s = rad::SecondOfDay(t).value();
        if (rad::IsCycleDue(window, s, prev)) stamps.push_back(rad::SlotTime(t, s, 600).value());
        prev = s;
    }
    return stamps;
}

TEST(Schedule, DaysWithClockChangesKeepRisingStamps) {
    const struct {
        const char* what;
        int month, day;
        std::size_t cycles;
    } cases[] = {
        {"ordinary day", 7, 1, 143},     // 00:10 .. 23:50 (00:00 is the first tick)
        {"clocks forward", 3, 31, 137},  // 02:00 .. 02:59 do not exist
        {"clocks back", 10, 27, 149},    // 02:00 .. 02:59 happen twice
    };
    for (const auto& c : cases) {
        const auto stamps = CyclesOfDay(2024, c.month, c.day);
        EXPECT_EQ(stamps.size(), c.cycles) << c.what;
        for (std::size_t i = 1; i < stamps.size(); ++i) {
            ASSERT_EQ(stamps[i] - stamps[i - 1], 600) << c.what << " at " << i;
            EXPECT_EQ(rad::SecondOfDay(stamps[i]).value() % 600, 0);
        }
    }
}

// Every slot the ticks passed by is named, and only those of the window.
TEST(Schedule, SkippedSlotsBetweenTwoTicks) {
    const rad::IntervalWindow everySecond{0, 86399, 1};
    const rad::IntervalWindow window;  // 06:00:00 .. 20:00:00 every 600 s
    const struct {
        const char* what;
        rad::IntervalWindow window;
        int64_t second, prev;
        const char* text;  // "" when none was skipped
    } cases[] = {
        {"the next second", everySecond, 43201, 43200, ""},
        {"a store of 2.5 s", everySecond, 43203, 43200, "2 slots skipped: 12:00:01 to 12:00:02"},
        {"one slot", everySecond, 43202, 43200, "slot 12:00:01 skipped"},
        {"the first tick", everySecond, 43203, 0, ""},
        {"a new day", everySecond, 3, 86398, ""},
        {"a stall over the end of the window", window, 73300, 70700,
         "3 slots skipped: 19:40:00 to 20:00:00"},
        {"a stall before the window", window, 22300, 18000, "slot 06:00:00 skipped"},
        {"a stall outside the window", window, 80000, 75000, ""},
    };
    for (const auto& c : cases) {
        const rad::SkippedSlots skipped = rad::FindSkippedSlots(c.window, c.second, c.prev);
        EXPECT_EQ(skipped.count == 0 ? "" : rad::SkippedSlotsText(skipped), c.text) << c.what;
    }
}

}  // namespace
