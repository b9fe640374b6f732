// Acquires each host suite on first use and releases all of them at the end
// of its scope.
#pragma once
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "A.h"
#include "SPBasic.h"

namespace vlam {

class SuiteHandler {
 public:
  explicit SuiteHandler(const SPBasicSuite *basic) : basic_(basic) {}
  ~SuiteHandler();

  SuiteHandler(const SuiteHandler &) = delete;
  SuiteHandler &operator=(const SuiteHandler &) = delete;

  // The suite of that name and version, acquired now or earlier in this
  // scope. Throws PF_Err_BAD_CALLBACK_PARAM when the host refuses it.
  template <typename Suite>
  const Suite *Get(const char *name, A_long version) {
    return static_cast<const Suite *>(Acquire(name, version));
  }

 private:
  struct Held {
    std::string name;
    A_long version;
    const void *suite;
  };

  const void *Acquire(const char *name, A_long version);

  const SPBasicSuite *basic_;
  std::vector<Held> held_;
};

}  // namespace vlam
