// What the tool needs from the console: Ctrl-C while a command runs, and
// whether progress goes to a terminal.
#pragma once
#include <atomic>

namespace vlam::cli {

// While it lives, Ctrl-C sets `flag` instead of ending the program (a signal
// handler on POSIX systems, the console's control handler on Windows).
class InterruptHandler {
public:
  explicit InterruptHandler(std::atomic<bool> &flag);
  ~InterruptHandler();
  InterruptHandler(const InterruptHandler &) = delete;
  InterruptHandler &operator=(const InterruptHandler &) = delete;

private:
  void (*previous_)(int) = nullptr; // the signal handler replaced (POSIX)
};

// True when standard error is a terminal (or a console window).
bool stderrIsTerminal();

// Past a file-size limit (ulimit -f) a write then fails with EFBIG, which the
// file writers report, instead of a signal ending the process with a
// half-written temporary file left behind. Windows has no such signal.
void reportFileSizeLimitAsWriteError();

} // namespace vlam::cli
