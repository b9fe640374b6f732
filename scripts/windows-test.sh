#!/usr/bin/env bash
# Checks the Windows build (build-windows/, `make windows`) against the Linux
# build (build/):
#   1. the module's PE file: six exports named as its property lists name
#      them, imports from system DLLs only, the six PiPL resources read by
#      the Linux host exactly as the Linux module's own lists;
#   2. (skipped with --pe-only) vlam.exe under wine64, headless, with the
#      Windows module: lists the effects, applies the module stack to
#      scenes/empty.json, presses "Add Keyframes", and renders frames 0 and
#      17 of the built-in scene at 8 bits (PNG) and in float (EXR) and a
#      frame of a scene over PNG footage; the scene
#      files must equal the Linux tool's, the pictures must be identical or
#      differ by at most 1 code value (8 bits) and 1e-4 relative (float).
# A fresh wine prefix is made under build-windows/ and no Wine process is
# left behind.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
win="$root/build-windows"
lin="$root/build/bin"
out="$win/windows-test"
pe_only=0
[[ "${1:-}" == "--pe-only" ]] && pe_only=1

for f in "$win/Vlam.aex" "$win/vlam.exe" "$lin/vlam" "$lin/Vlam.aex"; do
  [[ -f "$f" ]] || { echo "windows-test: $f is missing (make windows; make build)" >&2; exit 1; }
done
rm -rf "$out"
mkdir -p "$out/linux" "$out/windows"
fail() { echo "windows-test: FAILED: $*" >&2; exit 1; }
lvlam() { "$lin/vlam" --settings "$out/linux/settings.json" "$@"; }

# --- 1. The PE file ----------------------------------------------------------
objdump=x86_64-w64-mingw32-objdump
"$objdump" -p "$win/Vlam.aex" > "$out/objdump.txt"
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' "$out/objdump.txt" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
lvlam effects --json > "$out/linux/effects.json"
entries=$(grep -o '"entry_point": "[^"]*"' "$out/linux/effects.json" | cut -d'"' -f4 | sort)
echo "exports: $(echo $exports)"
[[ "$exports" == "$entries" && $(echo "$exports" | wc -l) -eq 6 ]] ||
  fail "the exports are not the six entry points the property lists name ($(echo $entries))"
imports=$(grep 'DLL Name:' "$out/objdump.txt" | awk '{print $3}' | sort -u)
echo "imports: $(echo $imports)"
for dll in $imports; do
  case "${dll,,}" in
    kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | ws2_32.dll | ntdll.dll) ;;
    *) fail "the module needs $dll, which is not a system DLL" ;;
  esac
done
lvlam --module "$win/Vlam.aex" effects --json > "$out/linux/effects-pe.json"
cmp "$out/linux/effects.json" "$out/linux/effects-pe.json" ||
  fail "the PE module's property lists read differently from the Linux module's"
ids=$(grep -o '"resource_id": [0-9]*' "$out/linux/effects-pe.json" | awk '{print $2}')
echo "resources: PiPL $(echo $ids) list exactly as the Linux module's"
version=$(strings -el "$win/Vlam.aex" | grep -A1 -x FileVersion | tail -1)
maker=$(strings -el "$win/Vlam.aex" | grep -A1 -x CompanyName | tail -1)
want=$(grep -o '"version_text": "[^"]*"' "$out/linux/effects.json" | head -1 | cut -d'"' -f4)
echo "version resource: $version, $maker"
[[ "$version" == "$want" && -n "$maker" ]] || fail "the version resource is not $want with the maker's name"
(( pe_only )) && { echo "windows-test: PE checks passed"; exit 0; }

# --- 2. Under wine -----------------------------------------------------------
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$out/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
cleanup() { "$wineserver" -k 2>/dev/null || true; "$wineserver" -w 2>/dev/null || true; }
trap cleanup EXIT
# Windows console output ends lines with CR LF: dropped before comparing.
wvlam() { (cd "$out/windows" && timeout 900 "$wine64" "$win/vlam.exe" --settings settings.json "$@") | tr -d '\r'; }
wvlam effects --json > "$out/windows/effects.json" 2> "$out/windows/wine-setup.txt"
cmp "$out/linux/effects.json" "$out/windows/effects.json" || fail "vlam.exe lists other effects"
echo "effects: vlam.exe with Vlam.aex lists the same effects as Linux"

# Each tool works in its own folder; the Windows one is given the scene's
# path relative to it.
(cd "$out/linux" && lvlam apply "$root/scenes/empty.json" --layer Plate --effect zk_Vlam -o stack.json &&
  lvlam press stack.json --layer Plate --effect 2 --param "Add Keyframes" --frame 10 -o pressed.json) > /dev/null
wvlam apply ../../../scenes/empty.json --layer Plate --effect zk_Vlam -o stack.json > /dev/null
wvlam press stack.json --layer Plate --effect 2 --param "Add Keyframes" --frame 10 -o pressed.json > /dev/null
for f in stack.json pressed.json; do
  cmp "$out/linux/$f" "$out/windows/$f" || fail "$f differs from the Linux tool's"
done
echo "scenes: apply and press give the same files as Linux"

for frame in 0 17; do
  for ext in png exr; do
    (cd "$out/linux" && lvlam render -q -o "frame_####.$ext" --frames $frame)
    wvlam render -q -o "frame_####.$ext" --frames $frame
  done
done
# A scene over PNG footage (read through zlib alone on Windows).
(cd "$out/linux" && lvlam render "$root/scenes/builder-keyframes.json" -q -o "footage_####.png" --frames 5)
wvlam render ../../../scenes/builder-keyframes.json -q -o "footage_####.png" --frames 5
echo "frames (built-in scene: 8-bit PNG and float EXR, frames 0 and 17; footage scene: frame 5):"
bash "$root/scripts/compare-frames.sh" --codes 1 --relative 1e-4 "$out/linux" "$out/windows" ||
  fail "frames differ beyond the tolerance"
echo "windows-test: passed"
