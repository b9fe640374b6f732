#!/usr/bin/env bash
# Compares the pixels of rendered frames: every .png and .exr of EXPECTED_DIR
# against the file of the same name in ACTUAL_DIR (decoded values, not file
# bytes, so a change of compression does not count). The comparison tool is
# built on first use from scripts/compare_frames.cpp.
#   scripts/compare-frames.sh [--codes N] [--relative R] EXPECTED_DIR ACTUAL_DIR [EXPECTED_DIR ACTUAL_DIR ...]
# --codes and --relative allow PNG samples N code values apart and EXR
# samples R of their magnitude apart, and print the figures of every frame.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tool="${COMPARE_FRAMES_BIN:-$here/../build/compare_frames}"
if [[ ! -x "$tool" || "$here/compare_frames.cpp" -nt "$tool" ]]; then
  mkdir -p "$(dirname "$tool")"
  # shellcheck disable=SC2046
  c++ -std=c++20 -O2 -Wall -Wextra -Werror "$here/compare_frames.cpp" -o "$tool" \
    $(pkg-config --cflags --libs OpenEXR libpng)
fi
options=()
while [[ $# -gt 0 && "$1" == --* ]]; do
  options+=("$1" "$2")
  shift 2
done
if (( $# < 2 || $# % 2 != 0 )); then
  echo "usage: $0 [--codes N] [--relative R] EXPECTED_DIR ACTUAL_DIR [EXPECTED_DIR ACTUAL_DIR ...]" >&2
  exit 2
fi
status=0
while (( $# > 0 )); do
  "$tool" "${options[@]}" "$1" "$2" || status=1
  shift 2
done
exit $status
