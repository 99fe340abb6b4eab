#include "Sha256.h"

#include <gtest/gtest.h>

#include <string_view>

#include "CalibrationDigest.h"
#include "SensorBlocks.h"
#include "SyntheticData.h"

namespace {

std::string HexOf(std::string_view text) {
    return rad::Sha256Hex(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(Sha256, KnownDigestsAcrossTheBlockEdges) {
    const struct {
        std::string text;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the first padding block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) EXPECT_EQ(HexOf(c.text), c.digest) << c.text.size();
}

TEST(CalibrationDigest, NamesTheFactorsAndNothingElse) {
    const SensorCal cal = rad::MakeSyntheticCal(kQS300);
    const std::string digest = rad::CalibrationDigest(cal);
    EXPECT_EQ(digest.size(), rad::kCalibrationDigestDigits);
    SensorCal renamed = cal;
    SetTextField(renamed.SN, "OTHER");
    EXPECT_EQ(rad::CalibrationDigest(renamed), digest);
    SensorCal changed = cal;
    changed.CAL[100] *= 1.0001f;
    EXPECT_NE(rad::CalibrationDigest(changed), digest);
}

}  // namespace
