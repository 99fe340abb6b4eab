#include "RecordMessage.h"

#include "CalibrationDigest.h"
#include "JsonWriter.h"
#include "LocalTime.h"
#include "QcFlags.h"
#include "Resample.h"
#include "RsdData.h"
#include "StatusValueNames.h"
#include "SunMessage.h"

namespace rad {
namespace {

void WriteSensor(CJsonWriter& json, int model, const SensorData& block, const SensorCal* cal,
                 const std::string& statusText) {
    json.BeginObject();
    json.Key("model").String(kModels[static_cast<std::size_t>(model)].label);
    json.Key("serial").String(block.SN);
    json.Key("exposure_ms").Integer(block.ET);
    json.Key("status").String(statusText);
    json.Key("health").BeginObject();
    const auto ints = StatusIntNames(model);
    for (std::size_t i = 0; i < ints.size(); ++i)
        json.Key(ints[i].name).Integer(block.statusInt[i]);
    const auto floats = StatusFloatNames(model);
    for (std::size_t i = 0; i < floats.size(); ++i)
        json.Key(floats[i].name).Number(block.statusFloat[i], 1);
    json.EndObject();
    // As the archive names it: the first 16 hex digits of the SHA-256 of the factors.
    if (cal)
        json.Key("calibration").String(CalibrationDigest(*cal));
    else
        json.Key("calibration").Null();
    json.EndObject();
}

}  // namespace

std::string IsoLocalTime(int64_t t) {
    const std::string text = FormatLocalTime(t, "%Y-%m-%dT%H:%M:%S%z");
    // strftime gives +hhmm; ISO 8601's extended form wants +hh:mm.
    if (text.size() < 5) return text;
    const std::size_t minutes = text.size() - 2;
    return text.substr(0, minutes) + ":" + text.substr(minutes);
}

std::string BuildRecordMessage(const RecordMessageInputs& in) {
    const CRad& rad = in.day.GetAt(in.index);
    CJsonWriter json;
    json.BeginObject();
    json.Key("time").String(IsoLocalTime(rad.m_time));
    json.Key("memo").String(rad.m_strMemo);
    WriteStationPosition(json, in.day);
    json.Key("sensors").BeginArray();
    for (int model = 0; model < kModelCount; ++model)
        if (const SensorData* block = rad.Block(model))
            WriteSensor(json, model, *block, in.day.GetCal(model),
                        in.statusTexts[static_cast<std::size_t>(model)]);
    json.EndArray();
    json.Key("qc").BeginArray();
    for (const QcFlagInfo& info : QcFlagTable())
        if (in.qc & info.flag) json.String(info.name);
    json.EndArray();
    json.Key("quantities").BeginObject();
    for (const QuantityInfo& info : QuantityTable())
        json.Key(info.key).Number(in.quantities[info.id].value);
    json.Key("integral").Number(in.bandIntegral);
    json.Key("dli").Number(in.dliSoFar);
    WriteSunValues(json, in.day, rad.m_time, in.quantities);
    json.EndObject();
    if (in.spectrum && !in.spectrum->IsEmpty()) {
        json.Key("spectrum").BeginObject();
        json.Key("first_nm").Integer(in.spectrum->m_nFirst);
        json.Key("values").BeginArray();
        for (const double value : in.spectrum->m_pValue) json.Number(value, 5);
        json.EndArray();
        json.EndObject();
    }
    json.EndObject();
    return json.Text();
}

}  // namespace rad
