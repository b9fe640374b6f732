#include "cli/Console.h"

#include <windows.h>

#include <cstdio>
#include <io.h>

namespace vlam::cli {
namespace {

std::atomic<std::atomic<bool> *> cancelFlag{nullptr};

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI onControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (std::atomic<bool> *flag = cancelFlag.load()) flag->store(true);
  return TRUE;
}

} // namespace

InterruptHandler::InterruptHandler(std::atomic<bool> &flag) {
  cancelFlag = &flag;
  ::SetConsoleCtrlHandler(onControl, TRUE);
}

InterruptHandler::~InterruptHandler() {
  ::SetConsoleCtrlHandler(onControl, FALSE);
  cancelFlag = nullptr;
}

bool stderrIsTerminal() { return ::_isatty(::_fileno(stderr)) != 0; }

// Windows has no file-size signal: a write past a quota fails and is reported.
void reportFileSizeLimitAsWriteError() {}

} // namespace vlam::cli
