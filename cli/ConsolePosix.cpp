#include "cli/Console.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace vlam::cli {
namespace {

std::atomic<std::atomic<bool> *> cancelFlag{nullptr};
void onInterrupt(int) {
  if (std::atomic<bool> *flag = cancelFlag.load()) flag->store(true);
}

} // namespace

InterruptHandler::InterruptHandler(std::atomic<bool> &flag) {
  cancelFlag = &flag;
  previous_ = std::signal(SIGINT, onInterrupt);
}

InterruptHandler::~InterruptHandler() {
  std::signal(SIGINT, previous_);
  cancelFlag = nullptr;
}

bool stderrIsTerminal() { return ::isatty(::fileno(stderr)); }

void reportFileSizeLimitAsWriteError() { std::signal(SIGXFSZ, SIG_IGN); }

} // namespace vlam::cli
