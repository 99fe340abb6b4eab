// The publisher's parts that need no broker: the bounded queue, the back-off, the outage notice.
#include <gtest/gtest.h>

#include "Backoff.h"
#include "OutageWatch.h"
#include "PublishQueue.h"

namespace {

MqttMessage Numbered(int n) { return {"t", std::to_string(n), 1, false}; }

std::vector<std::string> Drain(CPublishQueue& queue) {
    std::vector<std::string> payloads;
    while (auto message = queue.TryPop()) payloads.push_back(message->payload);
    return payloads;
}

TEST(PublishQueue, KeepsTheNewestAndCountsWhatItDrops) {
    CPublishQueue queue(3);
    for (int n = 1; n <= 5; ++n) queue.Push(Numbered(n));
    EXPECT_EQ(queue.Size(), 3u);
    EXPECT_EQ(queue.Dropped(), 2u);
    EXPECT_EQ(Drain(queue), (std::vector<std::string>{"3", "4", "5"}));
}

TEST(PublishQueue, AMessageHandedBackGoesFirstUnlessTheQueueFilledMeanwhile) {
    CPublishQueue queue(2);
    queue.Push(Numbered(1));
    queue.Push(Numbered(2));
    auto first = queue.TryPop();
    ASSERT_TRUE(first);
    queue.PushFront(std::move(*first));
    EXPECT_EQ(Drain(queue), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(queue.Dropped(), 0u);

    queue.Push(Numbered(3));
    auto taken = queue.TryPop();
    queue.Push(Numbered(4));
    queue.Push(Numbered(5));
    queue.PushFront(std::move(*taken));  // full again: the older message is the one lost
    EXPECT_EQ(Drain(queue), (std::vector<std::string>{"4", "5"}));
    EXPECT_EQ(queue.Dropped(), 1u);
}

TEST(Backoff, DoublesUpToItsLimitAndStartsOverAfterASuccess) {
    CBackoff backoff(1000, 8000);
    EXPECT_TRUE(backoff.Due(0));
    const std::vector<int64_t> waits = {1000, 2000, 4000, 8000, 8000};
    int64_t now = 0;
    for (const int64_t wait : waits) {
        backoff.Failed(now);
        EXPECT_EQ(backoff.CurrentWaitMs(), wait);
        EXPECT_FALSE(backoff.Due(now + wait - 1));
        EXPECT_TRUE(backoff.Due(now + wait));
        now += wait;
    }
    backoff.Succeeded();
    EXPECT_TRUE(backoff.Due(now));
    backoff.Failed(now);
    EXPECT_EQ(backoff.CurrentWaitMs(), 1000);
}

TEST(OutageWatch, TellsOnceAfterTheLimitAndOnceWhenTheBrokerIsBack) {
    COutageWatch watch(2000);
    using Change = COutageWatch::Change;
    EXPECT_EQ(watch.Down(10000), Change::None);
    EXPECT_EQ(watch.Down(11000), Change::None);  // a retry does not restart the outage
    EXPECT_EQ(watch.Check(12000), Change::None);
    EXPECT_EQ(watch.Check(12001), Change::Unreachable);
    EXPECT_EQ(watch.Check(20000), Change::None);
    EXPECT_EQ(watch.Up(), Change::Back);
    EXPECT_EQ(watch.Up(), Change::None);
    // A short outage says nothing at all.
    EXPECT_EQ(watch.Down(30000), Change::None);
    EXPECT_EQ(watch.Up(), Change::None);
    EXPECT_EQ(watch.Check(40000), Change::None);
}

}  // namespace
