#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The byte transport under a sensor driver: the termios port in production, stand-ins in tests.
// Operations return 1 (or a count) for success and 0 for failure; none blocks, logs or throws.
class CPort {
  public:
    virtual ~CPort() = default;

    virtual int Open(const std::string& path, int baud) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // All bytes handed to the device, or 0 (nothing sent when the instrument holds CTS low).
    virtual int Write(const void* data, std::size_t length) = 0;
    // Received bytes waiting; never blocks.
    virtual std::uint32_t GetInQueue() = 0;
    // At most maxLength bytes and never more than are waiting.
    virtual std::uint32_t Read(void* buffer, std::uint32_t maxLength) = 0;
    // Sleeps until bytes arrive or maxMs has passed, whichever is first.
    virtual void WaitForInput(int maxMs) = 0;
    // Discards both queues.
    virtual void Purge() = 0;
    // The device went away (EIO/ENODEV, an unplugged adapter); the port then counts as closed.
    virtual bool DeviceLost() const = 0;
    // Why the last Open failed, as an errno value; 0 when it did not.
    virtual int OpenError() const { return 0; }
};
