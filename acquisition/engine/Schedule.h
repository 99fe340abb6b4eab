#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rad {

// [INT] START, END and INT, all in seconds of the local day.
struct IntervalWindow {
    int64_t start = 21600;
    int64_t end = 72000;
    int64_t interval = 600;
};

// Local hour * 3600 + minute * 60 + second of t; nullopt when t has no local form.
std::optional<int64_t> SecondOfDay(int64_t t);

// "06:00:00" of a second of the day.
std::string SecondOfDayText(int64_t second);

// A cycle is due when s lies inside [start, end] and in another slot than the previous tick.
// prevSecond 0 means "no previous tick", so the first tick of an acquisition never measures.
bool IsCycleDue(const IntervalWindow& window, int64_t second, int64_t prevSecond);

// Time stamp of the slot that second lies in, on the local day of now. Inside a repeated
// hour (clocks set back) the instant of the current pass is taken, so stamps keep rising; a
// slot start that does not exist (clocks set forward) is placed as the C library places it.
std::optional<int64_t> SlotTime(int64_t now, int64_t second, int64_t interval);

}  // namespace rad
