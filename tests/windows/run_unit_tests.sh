#!/bin/sh
# tests/windows/run_unit_tests.sh PRESET [BUILD_DIR]
#
# Builds the unit tests that need no POSIX back end (gfx, rng, resources, the saver library's rules) as Windows
# console programs for PRESET (windows-x64 or windows-i686), in BUILD_DIR (default build/unit-PRESET), and runs
# each under Wine with the caller's WINEPREFIX. There they call the system's GDI, kernel and resource functions
# (Wine's), not our POSIX implementation. Prints one line a program:
#   PASS: PRESET unit tests NAME (N tests)
#   FAIL: PRESET unit tests NAME (why), followed by its output
# and exits non-zero when any failed. No display is needed. KESTROVA_UNIT_TEST_TIMEOUT bounds each program
# (seconds, default 600: the 32-bit programs run through QEMU where the kernel cannot run them itself).
set -eu

usage() {
  echo "usage: $0 windows-x64|windows-i686 [BUILD_DIR]" >&2
  exit 2
}
[ $# -ge 1 ] && [ $# -le 2 ] || usage
preset=$1
case "$preset" in
  windows-x64 | windows-i686) ;;
  *) usage ;;
esac
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-$root/build/unit-$preset}
timeout_seconds=${KESTROVA_UNIT_TEST_TIMEOUT:-600}

if [ -z "${WINEPREFIX:-}" ]; then
  echo "$0: WINEPREFIX is not set: give the Wine prefix to run the tests in" >&2
  exit 2
fi
export WINEDEBUG="${WINEDEBUG:--all}"

log=$(mktemp)
trap 'rm -f "$log" "$log.raw"' EXIT

if ! { cmake --preset "$preset" -B "$build" -DKESTROVA_WINDOWS_UNIT_TESTS=ON &&
       cmake --build "$build" -j2 --target windows_unit_tests; } >"$log" 2>&1; then
  echo "FAIL: $preset unit tests (build)"
  cat "$log"
  exit 1
fi

list=$build/unit_tests.txt
if [ ! -s "$list" ]; then
  echo "FAIL: $preset unit tests (no programs listed in $list)"
  exit 1
fi

failed=0
while IFS= read -r program; do
  [ -n "$program" ] || continue
  name=$(basename "$program" .exe)
  status=0
  (cd "$(dirname "$program")" && timeout --kill-after=10 "$timeout_seconds" wine "$program" --gtest_brief=1) \
    >"$log.raw" 2>&1 || status=$?
  tr -d '\r' <"$log.raw" >"$log"  # Windows programs end their lines with CR LF
  # GoogleTest's summary: "[  PASSED  ] N tests." when every test passed.
  count=$(sed -n 's/^\[  PASSED  \] \([0-9][0-9]*\) tests\{0,1\}\.$/\1/p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ] && [ -n "$count" ] && [ "$count" -gt 0 ] && ! grep -q '^\[  FAILED  \]' "$log"; then
    echo "PASS: $preset unit tests $name ($count tests)"
  else
    case "$status" in
      0) why="not every test passed" ;;
      124 | 137) why="timed out after ${timeout_seconds} s" ;;
      *) why="exit code $status" ;;
    esac
    echo "FAIL: $preset unit tests $name ($why)"
    cat "$log"
    failed=1
  fi
done <"$list"
exit "$failed"
