#pragma once

#include "RadlogHost.h"
#include "StationObserver.h"
#include "StoreStep.h"

// Passes what the store step tells on: output lines and redraws to the host, records and
// changed units to the observer.
class CStoreRelay final : public IStoreListener {
  public:
    explicit CStoreRelay(IRadlogHost& host) : m_host(host) {}
    // null: nobody; not owned.
    void SetObserver(IStationObserver* observer) { m_pObserver = observer; }
    IStationObserver* Observer() const { return m_pObserver; }

    void Note(const std::string& line) override { m_host.Note(line); }
    void CycleStored() override { m_host.CycleStored(); }
    void RecordStored(const StoredRecord& record, bool written) override {
        if (m_pObserver) m_pObserver->RecordStored(record, written);
    }
    void SensorChanged(int model, const std::string& detail) override {
        if (m_pObserver) m_pObserver->SensorChanged(model, detail);
    }

  private:
    IRadlogHost& m_host;
    IStationObserver* m_pObserver = nullptr;
};
