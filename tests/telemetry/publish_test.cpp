// The publisher's parts that need no broker: the bounded queue, the back-off, the outage notice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Backoff.h"
#include "DiskQueue.h"
#include "FileSizeLimit.h"
#include "OutageWatch.h"
#include "PublishQueue.h"

namespace {

MqttMessage Numbered(int n) { return {"t", std::to_string(n), 1, false}; }

std::vector<std::string> Drain(CPublishQueue& queue) {
    std::vector<std::string> payloads;
    while (auto message = queue.TryPop()) payloads.push_back(message->payload);
    return payloads;
}

// A message handed back goes first, unless the queue filled meanwhile.
TEST(PublishQueue, KeepsTheNewestAndCountsWhatItDrops) {
    CPublishQueue queue(2);
    for (int n = 1; n <= 4; ++n) queue.Push(Numbered(n));
    EXPECT_EQ(queue.Size(), 2u);
    auto first = queue.TryPop();
    ASSERT_TRUE(first);
    queue.PushFront(std::move(*first));
    EXPECT_EQ(Drain(queue), (std::vector<std::string>{"3", "4"}));
    EXPECT_EQ(queue.Dropped(), 2u);

    queue.Push(Numbered(3));
    auto taken = queue.TryPop();
    queue.Push(Numbered(4));
    queue.Push(Numbered(5));
    queue.PushFront(std::move(*taken));  // full again: the older message is the one lost
    EXPECT_EQ(Drain(queue), (std::vector<std::string>{"4", "5"}));
    EXPECT_EQ(queue.Dropped(), 3u);
}

// Each wait gets a random part of up to half of it: stations that lost the same broker come
// back spread over the wait, not all at once.
TEST(Backoff, DoublesUpToItsLimitWithARandomPartAndStartsOverAfterASuccess) {
    for (const double random : {0.0, 0.5, 0.999}) {
        SCOPED_TRACE(random);
        CBackoff backoff(1000, 8000, [random] { return random; });
        EXPECT_TRUE(backoff.Due(0));
        int64_t now = 0;
        for (const int64_t wait : {1000, 2000, 4000, 8000, 8000}) {
            backoff.Failed(now);
            EXPECT_EQ(backoff.CurrentWaitMs(), wait);
            const auto due = now + wait + static_cast<int64_t>(wait * random / 2);
            EXPECT_FALSE(backoff.Due(due - 1));
            EXPECT_TRUE(backoff.Due(due));
            now = due;
        }
        backoff.Succeeded();
        EXPECT_TRUE(backoff.Due(now));
        backoff.Failed(now);
        EXPECT_EQ(backoff.CurrentWaitMs(), 1000);
    }
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

std::vector<std::string> Payloads(const std::vector<MqttMessage>& messages) {
    std::vector<std::string> payloads;
    for (const MqttMessage& message : messages) payloads.push_back(message.payload);
    return payloads;
}

std::string QueueFile(const char* name) {
    const std::string path = (std::filesystem::path(::testing::TempDir()) / name).string();
    std::filesystem::remove(path);
    return path;
}

// The file keeps at most its capacity of the newest messages, and is compacted as they are done.
TEST(DiskQueue, ARestartGetsTheNewestNotDoneInOrderAndTheFileStaysBounded) {
    const std::string path = QueueFile("order.queue");
    {
        CDiskQueue queue(path, 3);
        EXPECT_TRUE(queue.Load().empty());
        std::vector<uint64_t> numbers;
        for (int n = 1; n <= 6; ++n) numbers.push_back(queue.Append(Numbered(n)));
        queue.Done(numbers[1]);
        queue.Done(numbers[3]);
    }
    CDiskQueue again(path, 3);
    const std::vector<MqttMessage> waiting = again.Load();
    EXPECT_EQ(Payloads(waiting), (std::vector<std::string>{"3", "5", "6"}));
    EXPECT_EQ(waiting[0].topic, "t");
    EXPECT_EQ(waiting[0].qos, 1);
    // Numbers go on after the old ones, and nothing waiting leaves an empty file.
    const uint64_t next = again.Append(Numbered(7));
    EXPECT_GT(next, waiting.back().number);
    const auto size = std::filesystem::file_size(path);
    for (int n = 0; n < 50; ++n) again.Done(again.Append(Numbered(100 + n)));
    EXPECT_LE(std::filesystem::file_size(path), 3 * size);
    EXPECT_EQ(again.Waiting(), 4u);
    for (const MqttMessage& message : waiting) again.Done(message.number);
    EXPECT_GT(std::filesystem::file_size(path), 0u);
    again.Done(next);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

// A write that fails half-way (a full disk) leaves no torn entry for later ones to hide behind.
TEST(DiskQueue, AFailedWriteLeavesTheLaterMessagesReadable) {
    const std::string path = QueueFile("full.queue");
    {
        CDiskQueue queue(path, 10);
        queue.Append(Numbered(1));
        const auto size = std::filesystem::file_size(path);
        const MqttMessage big{"t", std::string(4096, 'x'), 1, false};
        EXPECT_EQ(UnderFileSizeLimit(size + 100, [&] { return queue.Append(big); }), 0u);
        EXPECT_EQ(std::filesystem::file_size(path), size);
        queue.Append(Numbered(3));
    }
    CDiskQueue queue(path, 10);
    EXPECT_EQ(Payloads(queue.Load()), (std::vector<std::string>{"1", "3"}));
}

TEST(DiskQueue, ATornLastEntryEndsTheFile) {
    const std::string path = QueueFile("torn.queue");
    {
        CDiskQueue queue(path, 10);
        queue.Append(Numbered(1));
        queue.Append({"t", "line\nbreak and \xff bytes", 1, false});
    }
    std::ifstream in(path, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), {});
    for (const std::size_t cut : {whole.size() - 1, whole.size() - 5}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << whole.substr(0, cut);
        CDiskQueue queue(path, 10);
        EXPECT_EQ(Payloads(queue.Load()), (std::vector<std::string>{"1"})) << cut;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << whole;
    CDiskQueue queue(path, 10);
    EXPECT_EQ(Payloads(queue.Load()),
              (std::vector<std::string>{"1", "line\nbreak and \xff bytes"}));
}

}  // namespace
