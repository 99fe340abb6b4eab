#pragma once

#include <stdexcept>
#include <string>

// Invalid data in a file (an MT value outside the calendar rules); raised out of Load.
// Record indices outside a set raise std::out_of_range; an unconvertible time raises
// std::invalid_argument.
class RsdInvalidDataError : public std::runtime_error {
  public:
    explicit RsdInvalidDataError(const std::string& what) : std::runtime_error(what) {}
};
