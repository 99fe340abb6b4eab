#pragma once

// Driver status codes, shown after every identification attempt.
enum DriverStatus {
    kStatusNone = 0,
    kStatusPortFailed = 1,
    kStatusNoReply = 2,
    kStatusIdentityFailed = 3,
    kStatusWrongModel = 4,
    kStatusCalFailed = 5,
    kStatusReady = 6,
};

// The status text of a code in English or Japanese (UTF-8); codes outside 0..6 give "".
const char* DriverStatusText(int code, bool japanese);
