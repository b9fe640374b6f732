#include "cli/cli_support.cpp" // NOLINT(bugprone-suspicious-include): the tool is run as the command-line tests run it
