#include "HeadlessRunner.h"

#include <unistd.h>

#include <sstream>

#include "CloseSignals.h"
#include "ControllerTexts.h"
#include "Language.h"
#include "ProfileLocation.h"

CHeadlessRunner::CHeadlessRunner(RadlogSettings& settings, const IClock& clock, Options options,
                                 std::function<void()> save)
    : m_settings(settings),
      m_clock(clock),
      m_options(std::move(options)),
      m_save(std::move(save)),
      m_bBell(::isatty(::fileno(m_options.out)) == 1),
      m_bJapanese(rad::DetectReportLanguage() == ReportLanguage::Japanese),
      m_today(m_options.dayStartHour) {}

CHeadlessRunner::~CHeadlessRunner() = default;

int CHeadlessRunner::Run() {
    CPollWait wait;
    return Run(wait);
}

int CHeadlessRunner::Run(ILoopWait& wait) {
    if (!m_options.banner.empty()) Print(m_options.banner);
    CCloseSignals close;
    DocLimits limits;
    limits.clockFloor = m_options.clockFloor;
    m_doc = std::make_unique<CRadlogDoc>(m_settings, *this, m_clock, rad::DetectReportLanguage(),
                                         limits);
    // No one is there to press Abort: a manual acquisition that cannot measure stops.
    m_loop = std::make_unique<CEngineLoop>(*m_doc, true);
    m_doc->SetObserver(m_pObserver);
    m_doc->SetRecoveryFolders(rad::FallbackDataFolders(m_options.dataFolder, "radlog"));
    if (m_options.manual)
        m_doc->StartManual();
    else
        m_doc->StartInterval();
    m_loop->Run(wait, close);
    const AcquisitionState state = m_doc->State();
    const bool complete = state.storedCycles == 1 && state.lastStoreComplete;
    m_doc.reset();  // logs "APP CLOSE"
    m_loop.reset();
    if (m_save) m_save();
    return !m_options.manual || complete ? 0 : 1;
}

void CHeadlessRunner::Wake() {
    // A worker's thread: the loop pumps on its own.
    if (m_loop) m_loop->Wake();
}

void CHeadlessRunner::ClockTick(int64_t now) {
    const std::string text = rad::ProgressClockText(now);
    const std::string minute = text.substr(0, text.size() - 3);
    if (minute == m_lastMinute) return;
    m_lastMinute = minute;
    Print(text);
}

void CHeadlessRunner::SensorsChanged(const SensorSnapshot& sensors) {
    std::vector<std::string> lines;
    std::istringstream in(rad::ProgressText(sensors, m_bJapanese));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool changed = i >= m_lastLines.size() || lines[i] != m_lastLines[i];
        // A sensor without a status yet ("QS-300 " or the blank code-0 text) says nothing.
        const bool blank = lines[i].find_last_not_of(' ') < lines[i].find(' ');
        if (changed && !blank) Print(lines[i]);
    }
    m_lastLines = std::move(lines);
}

void CHeadlessRunner::LogWritten(const std::string& line) { Print(line); }

void CHeadlessRunner::CycleStored() {
    const StoredRecord stored = m_doc->StoreStep().Stored();
    m_today.Update(stored.day, &stored.row);
    if (m_today.HasRecord()) Print(m_today.Line());
}

void CHeadlessRunner::Note(const std::string& line) { Print(line); }

void CHeadlessRunner::Beep() {
    if (!m_bBell) return;
    const std::lock_guard lock(m_outMutex);
    std::fputs("\a", m_options.out);
}

void CHeadlessRunner::Print(const std::string& line) {
    const std::lock_guard lock(m_outMutex);
    std::fputs(line.c_str(), m_options.out);
    std::fputc('\n', m_options.out);
    std::fflush(m_options.out);
}
