#pragma once

#include "Port.h"

// The serial port over POSIX termios: raw 8N1, no flow control, exclusive access, non-blocking.
class CSerial : public CPort {
  public:
    // Modem status bit of Clear To Send, as the instruments' own protocol documents name it.
    static constexpr std::uint32_t kModemCts = 0x10;

    CSerial() = default;
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;
    ~CSerial() override;

    int Open(const std::string& path, int baud) override;
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }
    int Write(const void* data, std::size_t length) override;
    std::uint32_t GetInQueue() override;
    std::uint32_t Read(void* buffer, std::uint32_t maxLength) override;
    void Purge() override;
    void WaitForInput(int maxMs) override;
    bool DeviceLost() const override { return m_bLost; }
    int OpenError() const override { return m_openError; }

    // Modem lines with kModemCts set when CTS is on; a device without modem lines (a
    // pseudo-terminal) counts as CTS on. Virtual so tests can hold CTS low.
    virtual std::uint32_t GetModemStatus();

  private:
    // An I/O error that means the device is gone closes the port and remembers why.
    void NoteError(int err);

    int m_fd = -1;
    bool m_bLost = false;
    int m_openError = 0;
};
