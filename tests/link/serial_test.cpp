#include "Serial.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "SensorModel.h"

namespace {

// A pseudo-terminal pair: the test plays the instrument on the master side.
class PtyPair : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[128];
        termios tio{};
        cfmakeraw(&tio);
        ASSERT_EQ(openpty(&m_master, &m_slave, name, &tio, nullptr), 0);
        m_path = name;
    }
    void TearDown() override {
        if (m_slave >= 0) close(m_slave);
        if (m_master >= 0) close(m_master);
    }
    void Send(const std::string& bytes) {
        ASSERT_EQ(write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Waits for the bytes to cross the pseudo-terminal: the test's own descriptor of the line
    // turns readable when they reach its input queue.
    void WaitForQueue(CSerial& port, std::uint32_t n) const {
        pollfd line{m_slave, POLLIN, 0};
        for (int i = 0; i < 1000 && port.GetInQueue() < n; ++i) ::poll(&line, 1, 2000);
    }

    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

// A line whose instrument holds CTS low.
class CtsLowSerial : public CSerial {
  public:
    std::uint32_t GetModemStatus() override { return 0; }
};

TEST_F(PtyPair, ReadNeverBlocksWriteSendsEveryBytePurgeDiscards) {
    CSerial port;
    ASSERT_EQ(port.Open(m_path, kBaudRate), 1);
    char c = 0;
    EXPECT_EQ(port.GetInQueue(), 0u);
    EXPECT_EQ(port.Read(&c, 1), 0u);
    Send("ABC");
    WaitForQueue(port, 3);
    EXPECT_EQ(port.GetInQueue(), 3u);
    EXPECT_EQ(port.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'A');
    char rest[32] = {};
    EXPECT_EQ(port.Read(rest, sizeof rest), 2u);  // never more than there is
    EXPECT_STREQ(rest, "BC");

    Send("stale\r");
    WaitForQueue(port, 6);
    port.Purge();
    EXPECT_EQ(port.GetInQueue(), 0u);

    EXPECT_EQ(port.Write("GM,100,0,1\r", 11), 1);
    pollfd device{m_master, POLLIN, 0};
    ASSERT_EQ(::poll(&device, 1, 2000), 1);
    EXPECT_EQ(read(m_master, rest, sizeof rest), 11);
    EXPECT_EQ(std::string(rest, 11), "GM,100,0,1\r");
}

TEST_F(PtyPair, WriteIsRefusedWhileCtsIsLow) {
    CtsLowSerial port;
    ASSERT_EQ(port.Open(m_path, kBaudRate), 1);
    EXPECT_EQ(port.Write("ID\r", 3), 0);
    // A write would be readable on the other side as soon as it returned.
    pollfd device{m_master, POLLIN, 0};
    EXPECT_EQ(::poll(&device, 1, 0), 0);
}

// Exclusive even within one process; closing twice is harmless; unknown devices and rates fail.
TEST_F(PtyPair, OpenIsExclusiveAndCloseIsHarmless) {
    CSerial first, second;
    ASSERT_EQ(first.Open(m_path, kBaudRate), 1);
    EXPECT_EQ(second.Open(m_path, kBaudRate), 0);
    EXPECT_FALSE(second.IsOpen());
    first.Close();
    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(second.Open(m_path, kBaudRate), 1);
    second.Close();
    EXPECT_EQ(first.Open(m_path, 12345), 0);
    EXPECT_EQ(first.Open(m_path, kBaudRate), 1);  // the closed port opens again
    EXPECT_EQ(second.Open("/dev/nonexistent-serial-port", kBaudRate), 0);
    EXPECT_FALSE(second.IsOpen());
}

TEST_F(PtyPair, VanishedDeviceIsReportedAsClosed) {
    CSerial port;
    ASSERT_EQ(port.Open(m_path, kBaudRate), 1);
    close(m_slave);
    close(m_master);
    m_slave = m_master = -1;
    EXPECT_EQ(port.GetInQueue(), 0u);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.DeviceLost());
}

}  // namespace
