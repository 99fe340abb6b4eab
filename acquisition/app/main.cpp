// radlog: the acquisition program. Without --headless it opens its window; with it, it runs
// the station program's code (radlog-station) in this process.
#include <QApplication>
#include <memory>

#include "DesktopMain.h"
#include "RadVersion.h"
#include "RadlogMain.h"

namespace {

class CQtWindow final : public IRadlogWindow {
  public:
    CQtWindow(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

    void Open() override {
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        // The product's spelling, as in the About box and beside "Radview".
        QCoreApplication::setApplicationName("Radlog");
        QCoreApplication::setApplicationVersion(RAD_VERSION);
    }

    int Run(RadlogSettings& settings, std::function<void()> save, const IClock& clock,
            IStationObserver* observer, int dayStartHour) override {
        return RunDesktop(settings, std::move(save), clock, observer, dayStartHour);
    }

  private:
    int& m_argc;
    char** m_argv;
    std::unique_ptr<QApplication> m_app;
};

}  // namespace

int main(int argc, char** argv) {
    CQtWindow window(argc, argv);
    return RadlogMain(argc, argv, &window);
}
