#include "CycleRunner.h"

#include <string>
#include <system_error>
#include <thread>
#include <vector>

bool CCycleRunner::Start(int64_t time, uint64_t generation, bool manual) {
    Join();
    const CWorker::Models ready = m_sensors.Measurable();
    CCycleResult result;
    result.generation = generation;
    result.time = time;
    try {
        m_worker = std::make_unique<CWorker>(ready, [this, result, ready, manual]() mutable {
            Body(std::move(result), ready, manual);
        });
    } catch (const std::system_error&) {
        return false;
    }
    ++m_nStarted;
    return true;
}

void CCycleRunner::Join() {
    if (m_worker) m_workers.Wait(m_worker);
}

void CCycleRunner::Body(CCycleResult result, CWorker::Models ready, bool manual) {
    std::vector<std::jthread> threads;
    for (int model = 0; model < kModelCount; ++model) {
        if (!ready[model]) continue;
        try {
            threads.emplace_back([this, model, &result] { Measure(model, result); });
        } catch (const std::system_error&) {
            // Not reported: the model is not measured in this cycle.
        }
    }
    for (auto it = threads.rbegin(); it != threads.rend(); ++it) it->join();
    if (!Running()) return;
    m_queue.Post(CycleDoneEvent{std::move(result)});
    if (manual) m_queue.Post(StopRequestEvent{});
}

void CCycleRunner::Measure(int model, CCycleResult& result) {
    CQSDriver& driver = m_sensors.Driver(model);
    const uint64_t generation = result.generation;
    m_queue.PostPhase(generation, model, SensorPhase::At(SensorStep::Measuring));
    MeasureResult measured =
        driver.MeasureWithRetries(kAttempts, [&](int attempt, const LinkFailure& failure) {
            if (!Running()) return;  // a stopped cycle is discarded without a word
            m_queue.PostPhase(generation, model, SensorPhase::At(SensorStep::Retrying));
            m_queue.Post(BeepEvent{generation});
            m_queue.PostNote(generation, std::string(kModels[model].label) + " attempt " +
                                             std::to_string(attempt) + " of " +
                                             std::to_string(kAttempts) +
                                             " failed: " + DescribeFailure(failure));
        });
    if (measured.valid) {
        result.data[model] = std::move(measured.data);
        m_queue.PostPhase(generation, model, SensorPhase::At(SensorStep::MeasureOk));
        return;
    }
    result.lost[model] = driver.DeviceLost();
    result.failure[model] = DescribeFailure(measured.failure);
    if (Running()) m_queue.PostPhase(generation, model, SensorPhase::At(SensorStep::MeasureFailed));
}
