#!/usr/bin/env bash
# Compares the pixels of rendered frames: every .png and .exr of EXPECTED_DIR
# against the file of the same name in ACTUAL_DIR (decoded values, not file
# bytes, so a change of compression does not count). The comparison tool is
# built on first use from scripts/compare_frames.cpp.
#   scripts/compare-frames.sh EXPECTED_DIR ACTUAL_DIR [EXPECTED_DIR ACTUAL_DIR ...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tool="${COMPARE_FRAMES_BIN:-$here/../build/compare_frames}"
if [[ ! -x "$tool" || "$here/compare_frames.cpp" -nt "$tool" ]]; then
  mkdir -p "$(dirname "$tool")"
  # shellcheck disable=SC2046
  c++ -std=c++20 -O2 -Wall -Wextra -Werror "$here/compare_frames.cpp" -o "$tool" \
    $(pkg-config --cflags --libs OpenEXR libpng)
fi
if (( $# < 2 || $# % 2 != 0 )); then
  echo "usage: $0 EXPECTED_DIR ACTUAL_DIR [EXPECTED_DIR ACTUAL_DIR ...]" >&2
  exit 2
fi
status=0
while (( $# > 0 )); do
  "$tool" "$1" "$2" || status=1
  shift 2
done
exit $status
