#pragma once

#include <cstdint>
#include <string>

struct StoredRecord;

// Someone outside the controller who follows the station's health and records (telemetry).
// Every call comes on the user-interface thread and must return at once: the acquisition
// never waits for an observer.
class IStationObserver {
  public:
    virtual ~IStationObserver() = default;

    // An acquisition was opened (running) or closed, at the clock's time now.
    virtual void AcquisitionChanged(bool running, int64_t now) = 0;
    // Timer 1 of an open acquisition, every second.
    virtual void Tick(int64_t now) = 0;
    // A cycle's record is stored (the last record of record.day); written is false when its
    // day file could not be written (the record stays pending for a later store).
    virtual void RecordStored(const StoredRecord& record, bool written) = 0;
    // An identification attempt ended with a driver status (DriverStatus.h); text as shown.
    virtual void SensorState(int model, int status, const std::string& text) = 0;
    // The device vanished during a measurement.
    virtual void SensorLost(int model) = 0;
    // Another unit of the model than the day file's calibration measured; its records go to
    // another part of the day. detail is the line the output shows.
    virtual void SensorChanged(int model, const std::string& detail) = 0;
};
