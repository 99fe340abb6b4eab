#pragma once

#include <string>

// Where an engine part writes its fixed log events ("ERROR RSD SAVE", ...): the year log,
// stamped with the controller's clock and shown by the host.
class ILogSink {
  public:
    virtual ~ILogSink() = default;
    virtual void WriteLog(const std::string& text) = 0;
};
