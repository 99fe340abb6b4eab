#include "HeadlessRunner.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sstream>

#include "Language.h"
#include "ProfileLocation.h"

namespace {
int g_signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop reads the byte and stops the acquisition.
void OnStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}
}  // namespace

CHeadlessRunner::CHeadlessRunner(RadlogSettings& settings, const IClock& clock, Options options,
                                 std::function<void()> save)
    : m_settings(settings),
      m_clock(clock),
      m_options(std::move(options)),
      m_save(std::move(save)),
      m_bBell(::isatty(STDOUT_FILENO) == 1) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_doc->OnTimerTick();
        // A manual acquisition that cannot measure stops instead of waiting for an Abort.
        if (m_doc->IsStalled()) m_doc->RequestStop();
    });
}

CHeadlessRunner::~CHeadlessRunner() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

int CHeadlessRunner::Run() {
    if (!m_options.banner.empty()) Print(m_options.banner);
    InstallSignalHandlers();
    m_doc = std::make_unique<CRadlogDoc>(m_settings, *this, m_clock, rad::DetectReportLanguage());
    m_doc->SetObserver(m_pObserver);
    m_doc->SetRecoveryFolders(rad::FallbackDataFolders(m_options.dataFolder, "radlog"));
    if (m_options.manual)
        m_doc->StartManual();
    else
        m_doc->StartInterval();
    if (m_doc->IsRunning()) QCoreApplication::exec();
    const bool complete = m_doc->StoredCycles() == 1 && m_doc->LastStoreComplete();
    m_doc.reset();  // logs "APP CLOSE"
    if (m_save) m_save();
    return !m_options.manual || complete ? 0 : 1;
}

void CHeadlessRunner::InstallSignalHandlers() {
    if (::pipe(g_signalPipe) != 0) return;
    m_signalNotifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[0], &byte, 1);
        if (m_doc) m_doc->RequestStop();
    });
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
}

void CHeadlessRunner::Wake() {
    // Called on a worker thread: the queued call runs on the loop's thread.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_doc) m_doc->ProcessEvents();
        },
        Qt::QueuedConnection);
}

void CHeadlessRunner::SetClockText(const std::string& text) {
    const std::string minute = text.substr(0, text.size() - 3);
    if (minute == m_lastMinute) return;
    m_lastMinute = minute;
    Print(text);
}

void CHeadlessRunner::SetProgressText(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool changed = i >= m_lastLines.size() || lines[i] != m_lastLines[i];
        // A sensor without a status yet ("QS-300 " or the blank code-0 text) says nothing.
        const bool blank = lines[i].find_last_not_of(' ') < lines[i].find(' ');
        if (changed && !blank) Print(lines[i]);
    }
    m_lastLines = std::move(lines);
}

void CHeadlessRunner::AcquisitionChanged(bool running) {
    if (running) {
        m_timer.start();
    } else {
        m_timer.stop();
        QCoreApplication::quit();
    }
}

void CHeadlessRunner::LogWritten(const std::string& line) { Print(line); }

void CHeadlessRunner::CycleStored() {
    m_today.Update(m_doc->StoreStep().DataSet());
    if (m_today.HasRecord()) Print(m_today.Line());
}

void CHeadlessRunner::Note(const std::string& line) { Print(line); }

void CHeadlessRunner::Beep() {
    if (m_bBell) std::fputs("\a", stdout);
}

void CHeadlessRunner::PrintLater(const std::string& line) {
    QMetaObject::invokeMethod(
        this, [this, line] { Print(line); }, Qt::QueuedConnection);
}

void CHeadlessRunner::Print(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
