#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <ostream>

namespace vlam::cli {

// What `vlam render` says while it works. On a terminal: one line, redrawn
// as each frame is written, with the frames done, frames per second and the
// time left. Otherwise one line per written frame. Quiet: nothing. Safe to
// call from the thread that writes the frames and the one that renders them.
class RenderProgress {
public:
  enum class Style { Quiet, Lines, Terminal };

  RenderProgress(Style style, std::int64_t frames, std::ostream &out);
  ~RenderProgress(); // ends the terminal line
  RenderProgress(const RenderProgress &) = delete;
  RenderProgress &operator=(const RenderProgress &) = delete;

  void written(const std::filesystem::path &file);
  // Runs `print` (which writes whole lines to the same stream) on lines of
  // its own, below the progress line.
  void print(const std::function<void()> &print);
  // Ends the terminal line.
  void end();

private:
  void drawLine(); // with the lock held

  Style style_;
  std::int64_t frames_;
  std::int64_t done_ = 0;
  std::ostream &out_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool lineOpen_ = false; // a progress line is shown and not ended
  std::mutex mutex_;
};

} // namespace vlam::cli
