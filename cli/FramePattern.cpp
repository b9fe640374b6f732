#include "cli/FramePattern.h"

#include "host/HostError.h"

#include <charconv>

namespace vlam::cli {
namespace {

std::int64_t number(const std::string &text, const std::string &whole) {
  std::int64_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty())
    throw host::HostError("--frames '" + whole + "': expected A-B or N with whole frame numbers");
  return v;
}

} // namespace

FrameRange parseFrameRange(const std::string &text, std::int64_t duration) {
  if (text.empty()) return {0, duration - 1};
  const auto dash = text.find('-', 1);
  FrameRange r;
  if (dash == std::string::npos) {
    r.first = r.last = number(text, text);
  } else {
    r.first = number(text.substr(0, dash), text);
    r.last = number(text.substr(dash + 1), text);
  }
  if (r.first > r.last) throw host::HostError("--frames '" + text + "': the first frame comes after the last");
  if (r.first < 0 || r.last >= duration)
    throw host::HostError("--frames '" + text + "': the composition has frames 0-" + std::to_string(duration - 1));
  return r;
}

bool hasFrameField(const std::string &pattern) { return pattern.find('#') != std::string::npos; }

std::string frameFileName(const std::string &pattern, std::int64_t frame) {
  const auto start = pattern.find('#');
  if (start == std::string::npos) return pattern;
  auto end = pattern.find_first_not_of('#', start);
  if (end == std::string::npos) end = pattern.size();
  std::string digits = std::to_string(frame);
  const std::size_t width = end - start;
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return pattern.substr(0, start) + digits + pattern.substr(end);
}

} // namespace vlam::cli
