#include "MqttPublisher.h"

CMqttPublisher::CMqttPublisher(Config config, Notice notice, SteadyClock clock,
                               CBackoff::Random random)
    : m_link(std::make_shared<CMqttLink>(std::move(config), std::move(notice), std::move(clock),
                                         std::move(random))) {
    m_thread = std::thread([link = m_link] { link->Run(); });
}

CMqttPublisher::~CMqttPublisher() {
    m_link->Stop();
    if (m_link->WaitFinished(kStopWaitMs)) {
        m_thread.join();
        return;
    }
    m_link->Silence();
    m_thread.detach();
}
