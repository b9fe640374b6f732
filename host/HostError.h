#pragma once
#include <stdexcept>
#include <string>

namespace vlam::host {

// An error the host reports to its user: one line that names what failed and
// where. Thrown inside the host and the tool only; it never crosses a C entry
// point (the suite functions catch everything and return error codes).
class HostError : public std::runtime_error {
public:
  explicit HostError(const std::string &message) : std::runtime_error(message) {}
};

} // namespace vlam::host
