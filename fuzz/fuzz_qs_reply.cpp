// Any bytes as a sensor's replies: identification and a measurement read reply lines, fields,
// status values and pixel blocks from them without a crash, leak or undefined behaviour. The
// first byte picks the model.
#include <cstdint>
#include <memory>
#include <string_view>

#include "QsDriver.h"
#include "ReplyStream.h"
#include "SensorModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int model = data[0] % kModelCount;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    fuzz::CStepClock clock;
    CQSDriver driver(model, std::make_unique<fuzz::CReplyStreamPort>(stream, clock), clock);
    if (!driver.OpenDevice("/dev/fuzz", 38400)) return 0;
    if (driver.GetSensorInfo().Ready()) driver.Measure();
    return 0;
}
