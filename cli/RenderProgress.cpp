#include "cli/RenderProgress.h"

#include <cmath>
#include <cstdio>

namespace vlam::cli {

RenderProgress::RenderProgress(Style style, std::int64_t frames, std::ostream &out)
    : style_(style), frames_(frames), out_(out) {
  std::lock_guard lock(mutex_);
  if (style_ == Style::Terminal) drawLine();
}

RenderProgress::~RenderProgress() { end(); }

void RenderProgress::written(const std::filesystem::path &file) {
  std::lock_guard lock(mutex_);
  ++done_;
  if (style_ == Style::Lines) {
    out_ << "wrote " << file.string() << " (" << done_ << " of " << frames_ << ")" << std::endl;
    return;
  }
  if (style_ == Style::Terminal) drawLine();
}

void RenderProgress::drawLine() {
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const double perSecond = seconds > 0 ? static_cast<double>(done_) / seconds : 0.0;
  char text[128];
  if (done_ == 0) {
    std::snprintf(text, sizeof text, "\rrendering: 0 of %lld frames\x1b[K", static_cast<long long>(frames_));
  } else {
    const long left = perSecond > 0 ? std::lround(static_cast<double>(frames_ - done_) / perSecond) : 0;
    std::snprintf(text, sizeof text, "\rrendering: %lld of %lld frames, %.1f frames/s, %ld:%02ld left\x1b[K",
                  static_cast<long long>(done_), static_cast<long long>(frames_), perSecond, left / 60, left % 60);
  }
  out_ << text << std::flush;
  lineOpen_ = true;
}

void RenderProgress::print(const std::function<void()> &print) {
  std::lock_guard lock(mutex_);
  if (lineOpen_) out_ << '\n';
  lineOpen_ = false;
  print();
}

void RenderProgress::end() {
  std::lock_guard lock(mutex_);
  if (lineOpen_) out_ << std::endl;
  lineOpen_ = false;
}

} // namespace vlam::cli
