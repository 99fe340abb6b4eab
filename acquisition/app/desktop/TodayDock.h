#pragma once

#include <QDockWidget>

class CRsdData;
class CTodayLight;
class QLabel;
namespace rad {
struct SeriesRow;
}

// The "Today" panel of Radlog's window: the latest PPFD and UV index and the daily light
// integral so far, as the headless output line gives them.
class CTodayDock : public QDockWidget {
    Q_OBJECT
  public:
    // The day's light is counted from dayStartHour.
    explicit CTodayDock(int dayStartHour = 0, QWidget* parent = nullptr);
    ~CTodayDock() override;

    // After a stored cycle: takes the new records of the day file; latest is the row of its
    // last record when it is already computed.
    void Update(const CRsdData& set, const rad::SeriesRow* latest = nullptr);

    QString PpfdText() const;
    QString DliText() const;
    QString UvIndexText() const;

  private:
    void Show();

    std::unique_ptr<CTodayLight> m_today;
    QLabel* m_pPpfd = nullptr;
    QLabel* m_pDli = nullptr;
    QLabel* m_pUvIndex = nullptr;
};
