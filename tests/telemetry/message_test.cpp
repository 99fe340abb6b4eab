// What the station says: JSON texts, the record message, discovery, the [MQTT] section.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "CalibrationDigest.h"
#include "Discovery.h"
#include "HealthMonitor.h"
#include "IniFile.h"
#include "JsonWriter.h"
#include "LocalTime.h"
#include "MqttSettings.h"
#include "QcFlags.h"
#include "RecordMessage.h"
#include "Resample.h"
#include "RsdData.h"
#include "SyntheticData.h"

namespace {

using testing::HasSubstr;
using testing::Not;

int64_t At(int day, int hour, int minute = 0) {
    return *rad::LocalFieldsToTime(2026, 6, day, hour, minute, 0);
}

TEST(JsonWriter, EscapesTextsAndWritesNoNumberForNaN) {
    CJsonWriter json;
    json.BeginObject();
    json.Key("memo").String("a \"b\"\\\n\x01");
    json.Key("list").BeginArray().Number(0.1).Number(NAN).Integer(-3).Number(1.23456, 2).EndArray();
    json.Key("on").Bool(true);
    json.Key("empty").BeginObject().EndObject();
    json.EndObject();
    EXPECT_EQ(json.Text(),
              R"({"memo":"a \"b\"\\\n\u0001","list":[0.1,null,-3,1.23],"on":true,"empty":{}})");
}

// A noon record of a QS-100 and a QS-300 at the synthetic day's Tokyo site.
TEST(RecordMessage, HoldsSensorsQuantitiesTheSiteAndTheSpectrumOnlyWhenAsked) {
    rad::InitTimeZone();  // TZ=Asia/Tokyo
    CRsdData day;
    rad::MakeSyntheticDay(day, 1, {kQS100, kQS300}, At(1, 12), 60);
    CResample spectrum;
    spectrum.Resample(day, 0);
    const rad::LightQuantities q = rad::ComputeQuantities(spectrum);
    const std::array<std::string, kModelCount> texts = {"READY", "", "NO REPLY", ""};
    RecordMessageInputs in{day, 0, texts, q, 12.5, 3.25, nullptr};
    const std::string text = rad::BuildRecordMessage(in);
    EXPECT_THAT(text, HasSubstr(R"("station":{"latitude":35.6581,"longitude":139.7414,)"
                                R"("altitude":40})"));
    // 1 June, 12:00 JST in Tokyo (declination 22.0, 18 minutes after the sun's noon).
    EXPECT_NEAR(std::stod(text.substr(text.find("\"sun_zenith\":") + 13)), 14.3, 0.3);
    EXPECT_GT(std::stod(text.substr(text.find("\"clear_sky_ppfd\":") + 17)), 1800.0);
    EXPECT_THAT(text, HasSubstr("\"clear_sky_index\":"));
    const SensorData& block = *day.GetAt(0).Block(kQS100);
    for (const std::string& part :
         {std::string(R"("time":"2026-06-01T12:00:00+09:00")"),
          std::string(R"("memo":"ARVEN SOLIS")"),
          std::string(R"({"model":"QS-100","serial":")") + block.SN + R"(","exposure_ms":)" +
              std::to_string(block.ET) + R"(,"status":"READY","health":{"peltier_state":)",
          std::string(R"("model":"QS-300")"), std::string(R"("status":"NO REPLY")"),
          std::string(R"("fin_temperature":)"), std::string(R"("integral":12.5,"dli":3.25,)"),
          R"("calibration":")" + rad::CalibrationDigest(*day.GetCal(kQS300)) + R"("})",
          std::string(R"("qc":[],"quantities")")})
        EXPECT_THAT(text, HasSubstr(part));
    EXPECT_EQ(std::stod(text.substr(text.find("\"ppfd\":") + 7)), q[rad::Quantity::Ppfd].value);
    EXPECT_THAT(text, Not(HasSubstr("spectrum")));
    in.qc = rad::kQcSaturated | rad::kQcNight;
    EXPECT_THAT(rad::BuildRecordMessage(in), HasSubstr(R"("qc":["saturated","night"])"));

    in.spectrum = &spectrum;
    const std::string withSpectrum = rad::BuildRecordMessage(in);
    EXPECT_THAT(withSpectrum,
                HasSubstr(R"("spectrum":{"first_nm":)" + std::to_string(spectrum.m_nFirst)));
    const auto values = withSpectrum.substr(withSpectrum.find("\"values\":["));
    EXPECT_EQ(std::count(values.begin(), values.end(), ','),
              static_cast<long>(spectrum.m_pValue.size()) - 1);

    // The factory default site, 0/0, is no site.
    day.m_strLat = "00.000";
    day.m_strLon = "000.000";
    const std::string noSite = rad::BuildRecordMessage(in);
    EXPECT_THAT(noSite, Not(HasSubstr("\"station\"")));
    EXPECT_THAT(noSite, HasSubstr(R"("sun_zenith":null,"sun_azimuth":null,"clear_sky_ppfd":null)"));
}

rad::DiscoveryDevice House3() {
    return {"radlog", "house 3", "ha", {true, false, true, false}, 180};
}

TEST(Discovery, OneRetainedConfigPerEntityOfOneDeviceWithTheFieldsHomeAssistantUses) {
    const auto messages = rad::DiscoveryMessages(House3());
    ASSERT_EQ(messages.size(), 9u + ProblemKinds().size());
    EXPECT_EQ(messages[0].topic, "ha/sensor/radlog_house_3/ppfd/config");
    EXPECT_EQ(messages[8].topic, "ha/sensor/radlog_house_3/QS300_status/config");
    EXPECT_EQ(messages[9].topic, "ha/binary_sensor/radlog_house_3/alert_no_record/config");
    for (const MqttMessage& message : messages) {
        EXPECT_TRUE(message.retain);
        for (const char* field :
             {R"("identifiers":["radlog_house_3"])",
              R"("availability_topic":"radlog/house 3/status")", R"("manufacturer":"Radlog")",
              R"("sw_version":")", R"("origin":{"name":"radlog")",
              R"("json_attributes_topic":"radlog/house 3/record",)"
              R"("json_attributes_template":"{{ value_json.station)"})
            EXPECT_THAT(message.payload, HasSubstr(field)) << message.topic;
    }
    // The fields Home Assistant uses, by entity.
    const auto config = [&](const std::string& object) {
        for (const MqttMessage& message : messages)
            if (message.topic.find("/" + object + "/") != std::string::npos) return message.payload;
        return std::string();
    };
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"uv_index",
         {R"("unit_of_measurement":"UV index")", R"("state_class":"measurement")",
          R"("expire_after":180)"}},
        {"dli",
         {R"("state_class":"total_increasing")", R"("state_topic":"radlog/house 3/record")"}},
        {"QS100_status", {"else 'MISSING'", R"('model', 'eq', 'QS-100')"}},
        {"alert_sensor_lost",
         {R"("device_class":"problem")", R"("state_topic":"radlog/house 3/problems")",
          "value_json.sensor_lost"}},
    };
    for (const auto& [object, fields] : rows)
        for (const std::string& field : fields)
            EXPECT_THAT(config(object), HasSubstr(field)) << object;
    EXPECT_THAT(config("QS100_status"), Not(HasSubstr("expire_after")));
    rad::DiscoveryDevice manual = House3();
    manual.expireAfterSeconds = 0;
    EXPECT_THAT(rad::DiscoveryMessages(manual)[0].payload, Not(HasSubstr("expire_after")));
}

TEST(Discovery, RemovalEmptiesEveryConfigAStationMayHave) {
    const auto removals = rad::DiscoveryRemovals(House3());
    rad::DiscoveryDevice allSensors = House3();
    allSensors.use.fill(true);
    const auto all = rad::DiscoveryMessages(allSensors);
    ASSERT_EQ(removals.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(removals[i].topic, all[i].topic);
        EXPECT_EQ(removals[i].payload, "");
        EXPECT_TRUE(removals[i].retain);
    }
}

TEST(MqttSettings, RefusesNamesThatCannotStandInATopic) {
    const std::pair<const char*, const char*> rows[] = {
        {"STATION=gh1", ""},
        {"TOPIC=farm/radlog", ""},
        {"TOPIC=radlog/#", "TOPIC"},
        {"DISCOVERY=1\r\nDISCOVERYPREFIX=ha+", "DISCOVERYPREFIX"},
        {"DISCOVERY=0\r\nDISCOVERYPREFIX=ha+", ""},
    };
    for (const auto& [line, refused] : rows) {
        CIniFile ini;
        ini.SetText(std::string("[MQTT]\r\nHOST=broker\r\n") + line + "\r\n");
        MqttSettings mqtt;
        mqtt.Load(ini);
        const std::string error = rad::MqttSettingsError(mqtt);
        EXPECT_EQ(error.substr(0, error.find(' ')), refused) << line;  // the key leads the message
    }
}

TEST(MqttSettings, SectionIsReadAndWrittenOnlyWhenPresent) {
    CIniFile ini;
    ini.SetText("[MEAS]\r\nMEMO=x\r\n");
    MqttSettings mqtt;
    mqtt.Load(ini);
    EXPECT_FALSE(mqtt.Enabled());
    mqtt.Save(ini);
    EXPECT_EQ(ini.GetText(), "[MEAS]\r\nMEMO=x\r\n");

    ini.SetText("[MQTT]\r\nHOST=broker\r\nSPECTRUM=1\r\nSTATION=gh1\r\n");
    mqtt.Load(ini);
    EXPECT_TRUE(mqtt.Enabled());
    EXPECT_EQ(mqtt.StationName(), "gh1");
    mqtt.password = "given-elsewhere";
    mqtt.Save(ini);
    EXPECT_FALSE(ini.HasKey("MQTT", "PASSWORD"));  // never copied into the profile
    EXPECT_FALSE(ini.HasKey("MQTT", "CERTFILE"));  // later keys only where they were given
    EXPECT_FALSE(ini.HasKey("MQTT", "DISCOVERYPREFIX"));
    mqtt.certFile = "/etc/radlog/station.crt";
    mqtt.Save(ini);
    MqttSettings again;
    again.Load(ini);
    EXPECT_EQ(again.host, "broker");
    EXPECT_TRUE(again.spectrum);
    EXPECT_EQ(again.certFile, "/etc/radlog/station.crt");
    EXPECT_EQ(again.discoveryPrefix, "homeassistant");
}

TEST(MqttSettings, PasswordComesFromTheFileThenTheEnvironmentThenTheProfile) {
    const auto dir = std::filesystem::path(::testing::TempDir());
    const std::string file = (dir / "mqtt.pw").string();
    std::ofstream(file) << "from-file\r\nsecond line\n";
    MqttSettings mqtt;
    mqtt.password = "from-profile";
    EXPECT_EQ(rad::ResolveMqttPassword(mqtt, file, "from-env"), "from-file");
    EXPECT_EQ(rad::ResolveMqttPassword(mqtt, "", "from-env"), "from-env");
    EXPECT_EQ(rad::ResolveMqttPassword(mqtt, "", ""), "from-profile");
    EXPECT_EQ(rad::ResolveMqttPassword(mqtt, "", nullptr), "from-profile");
    EXPECT_FALSE(rad::ResolveMqttPassword(mqtt, (dir / "absent").string(), nullptr));
}

TEST(MqttSettings, WarnsWhenOthersCanReadAProfileHoldingAPassword) {
    const std::string path = (std::filesystem::path(::testing::TempDir()) / "radlog.ini").string();
    std::ofstream(path) << "[MQTT]\nPASSWORD=x\n";
    MqttSettings mqtt;
    mqtt.password = "x";
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(rad::ProfilePasswordWarning(mqtt, path), "");
    ::chmod(path.c_str(), 0644);
    EXPECT_THAT(rad::ProfilePasswordWarning(mqtt, path), HasSubstr("others can read"));
    ::chmod(path.c_str(), 0640);
    EXPECT_NE(rad::ProfilePasswordWarning(mqtt, path), "");
    mqtt.password.clear();
    EXPECT_EQ(rad::ProfilePasswordWarning(mqtt, path), "");
}

}  // namespace
