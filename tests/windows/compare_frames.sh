#!/usr/bin/env bash
# Proves that a Windows build computes the same frames as Linux: for both scenes and two screen sizes it runs
# the scene's trace program (tests/windows/programs/scene_trace.cpp) under Wine in a virtual desktop of that
# size, then kestrova-render with the same screen and the start time the Windows run reported, and compares
# two simulated minutes of draw trace byte for byte and three frames pixel for pixel. For the 32-bit build it
# also checks that the scene code does its floating point in SSE2, the condition for its doubles to be those
# of the 64-bit builds; the trace comparison then shows tumbler's arcs and the kernels agree.
#
# usage: tests/windows/compare_frames.sh PRESET [BUILD_DIR]
#   PRESET     windows-i686 or windows-x64
#   BUILD_DIR  the preset's build, configured with -DKESTROVA_WINDOWS_TEST_PROGRAMS=ON (default build/PRESET)
# Needs WINEPREFIX (an initialised prefix) and DISPLAY (a running X server) from the caller, and the Linux
# renderer at build/linux/tools/render/kestrova-render. Prints one PASS:/FAIL: line per check and ends with
# "N passed, N failed"; the exit code is non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
here=$root/tests/windows

readonly FRAMES=12000
readonly STEP=10
readonly PICTURE_FRAMES=(1 6000 12000)
readonly SCENES=(flyby tumbler)
readonly SIZES=(1024x768 1366x768)
readonly SPRITES=30
readonly WINDOWS_RUN_TIMEOUT=900  # seconds; the 32-bit programs run emulated and take about 90 s
readonly SHORT_RUN_TIMEOUT=120

if [ $# -lt 1 ] || [ $# -gt 2 ] || { [ "$1" != windows-i686 ] && [ "$1" != windows-x64 ]; }; then
  echo "usage: $0 windows-i686|windows-x64 [BUILD_DIR]" >&2
  exit 2
fi
preset=$1
build=$(realpath -m "${2:-$root/build/$preset}")
programs=$build/tests/windows/programs
render=$root/build/linux/tools/render/kestrova-render

passed=0
failed=0
pass() { echo "PASS: $preset $*"; passed=$((passed + 1)); }
fail() { echo "FAIL: $preset $*"; failed=$((failed + 1)); }
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

missing=()
[ -n "${WINEPREFIX:-}" ] || missing+=("WINEPREFIX")
[ -n "${DISPLAY:-}" ] || missing+=("DISPLAY")
[ -x "$render" ] || missing+=("$render")
for scene in "${SCENES[@]}"; do [ -f "$programs/${scene}_trace.exe" ] || missing+=("$programs/${scene}_trace.exe"); done
if [ ${#missing[@]} -ne 0 ]; then
  fail "frame comparison can run: missing ${missing[*]}"
  finish
fi

work=$(mktemp -d)
trap '[ -z "${linux_pid:-}" ] || kill "$linux_pid" 2>/dev/null; rm -rf "$work"' EXIT

windows_path() { echo "Z:${1//\//\\}"; }  # Wine's drive Z: is the root of the file system
frame_list() { local IFS=,; echo "${PICTURE_FRAMES[*]}"; }

# ---- The 32-bit scene code has no x87 arithmetic ----

# Loads and stores of a double on the x87 stack are exact and are how the 32-bit calling convention returns a
# double; any other x87 instruction (arithmetic, integer conversion, control word) computes with 80-bit
# intermediates or another rounding, and the results could differ from the 64-bit builds'.
x87_instructions() { # x87_instructions OBJECTS...: prints "function: instruction" for each offending one
  i686-w64-mingw32-objdump -d -C --no-show-raw-insn "$@" | awk '
    /^[0-9a-f]+ <.*>:$/ { name = $0; sub(/^[0-9a-f]+ </, "", name); sub(/>:$/, "", name) }
    /^ *[0-9a-f]+:\t/ {
      split($0, parts, "\t"); split(parts[2], words, " "); op = words[1]
      if (op ~ /^f/ && op !~ /^(fld[sl]?|fstp?[sl]?)$/) print name ": " parts[2]
    }'
}

if [ "$preset" = windows-i686 ]; then
  scene_code=("$build"/flyby/libkestrova_flyby_scene.a "$build"/tumbler/libkestrova_tumbler_scene.a
    "$build"/gfx/libkestrova_gfx.a "$build"/rng/libkestrova_rng.a)
  if ! ls "${scene_code[@]}" >/dev/null 2>&1; then
    fail "scene code has no x87 arithmetic: libraries missing in $build"
  elif x87_instructions "${scene_code[@]}" >"$work/x87.txt" && [ ! -s "$work/x87.txt" ]; then
    pass "scene code has no x87 arithmetic (scenes, gfx, rng)"
  else
    fail "scene code has no x87 arithmetic: $(wc -l <"$work/x87.txt") x87 instructions, first: $(head -1 "$work/x87.txt")"
  fi
fi

# ---- Bad arguments: the renderer's refusals ----

# One line on standard error, exit code 2, nothing written (no trace, no partial trace, no picture folder).
refuses() { # refuses ARGS...: with @T for a trace path and @D for a picture folder in the arguments
  local dir=$work/refusal args=() arg code
  rm -rf "$dir" && mkdir -p "$dir/folder" && touch "$dir/a-file"
  for arg in "$@"; do
    arg=${arg//@T/$(windows_path "$dir/t.csv")}
    arg=${arg//@D/$(windows_path "$dir/pictures")}
    arg=${arg//@F/$(windows_path "$dir/a-file")}
    arg=${arg//@G/$(windows_path "$dir/folder")}
    args+=("$arg")
  done
  timeout "$SHORT_RUN_TIMEOUT" wine "$programs/tumbler_trace.exe" "${args[@]}" >"$dir/stdout" 2>"$dir/stderr"
  code=$?
  [ "$code" -eq 2 ] || { echo "exit code $code"; return 1; }
  [ "$(wc -l <"$dir/stderr")" -eq 1 ] || { echo "stderr: $(cat "$dir/stderr")"; return 1; }
  [ ! -s "$dir/stdout" ] && [ -z "$(find "$dir" -name 't.csv*' -o -name pictures)" ] || {
    echo "something was written"
    return 1
  }
}
refusal_cases=(
  "--frames 0 --trace @T"
  "--frames 1000000 --trace @T"
  "--step -1 --trace @T"
  "--step 10ms --trace @T"
  "--bmp-frames 1 --trace @T"
  "--bmp @D --bmp-frames 2 --trace @T"
  "--bmp @D --bmp-frames 1,,1 --trace @T"
  "--frames 2 --frames 3 --trace @T"
  "--size 1024x768 --trace @T"
  "--trace @T extra"
  "--trace"
  "--trace @G"
  "--trace @G\\no\\such\\folder\\t.csv"
  "--trace @T --bmp @F"
)
refused=0
for case in "${refusal_cases[@]}"; do
  # shellcheck disable=SC2086  # the case is a list of words
  if refuses $case >"$work/refusal.out"; then
    refused=$((refused + 1))
  else
    fail "tumbler_trace refuses '$case' (one line, exit code 2, nothing written): $(cat "$work/refusal.out")"
  fi
done
[ "$refused" -eq ${#refusal_cases[@]} ] && pass "tumbler_trace refuses all ${#refusal_cases[@]} bad command lines"

# The trace on standard output: the same bytes (LF line ends, not CRLF), the report on standard error.
traces_to_stdout() {
  local out=$work/stdout-trace
  timeout "$SHORT_RUN_TIMEOUT" wine "$programs/tumbler_trace.exe" --frames 2 --trace - >"$out.csv" 2>"$out.err" ||
    { echo "exit code $?"; return 1; }
  [ "$(head -1 "$out.csv")" = "frame,time,sprite,image,x,y,mirror,mode" ] || { echo "no header"; return 1; }
  [ "$(wc -l <"$out.csv")" -eq $((1 + 2 * SPRITES)) ] || { echo "$(wc -l <"$out.csv") lines"; return 1; }
  ! grep -q $'\r' "$out.csv" || { echo "CRLF line ends"; return 1; }
  grep -qE '^screen [0-9]+x[0-9]+ start [0-9]+' "$out.err" || { echo "no report on stderr"; return 1; }
}
if traces_to_stdout >"$work/stdout.out"; then
  pass "tumbler_trace --trace - writes the trace to standard output and the report to standard error"
else
  fail "tumbler_trace --trace - writes the trace to standard output: $(cat "$work/stdout.out")"
fi

# ---- Windows and Linux frames ----

first_difference() { # first_difference WINDOWS LINUX: the first line where two traces differ, both sides
  local line out
  out=$(cmp "$1" "$2" 2>&1)
  line=$(grep -o 'line [0-9]*' <<<"$out" | grep -o '[0-9]*')
  case $out in *EOF*) line=$((line + 1)) ;; esac
  printf "line %s: windows '%s', linux '%s'" "$line" \
    "$(sed -n "${line}{p;q}" "$1")" "$(sed -n "${line}{p;q}" "$2")"
}

# Each case runs its Windows program, then kestrova-render in the background while the next case's Windows
# program runs (they use one core each), and is judged once both are done.
run_windows() { # run_windows DIR SCENE WxH: writes DIR/report, DIR/windows.csv, DIR/windows/*.bmp
  local dir=$1 scene=$2 size=$3 began=$SECONDS
  mkdir -p "$dir"
  timeout "$WINDOWS_RUN_TIMEOUT" wine explorer "/desktop=kestrova-trace-$scene-$size,$size" \
    "$programs/${scene}_trace.exe" --frames "$FRAMES" --step "$STEP" --trace "$(windows_path "$dir/windows.csv")" \
    --bmp "$(windows_path "$dir/windows")" --bmp-frames "$(frame_list)" >"$dir/report" 2>"$dir/windows.err"
  echo $((SECONDS - began)) >"$dir/windows.seconds"
}

reported_start() { # reported_start DIR: the start time of the program's report line, if it wrote one
  grep -E '^screen [0-9]+x[0-9]+ start [0-9]+' "$1/report" | tr -d '\r' | cut -d' ' -f4
}

run_linux() { # run_linux DIR SCENE WxH START: writes DIR/linux.csv, DIR/linux/*.png, DIR/linux.status
  local dir=$1 scene=$2 size=$3 start=$4 began=$SECONDS
  timeout "$WINDOWS_RUN_TIMEOUT" "$render" "$scene" --size "$size" --start "$start" --frames "$FRAMES" \
    --step "$STEP" --trace "$dir/linux.csv" --png "$dir/linux" --png-frames "$(frame_list)" 2>"$dir/linux.err"
  echo $? >"$dir/linux.status"
  echo $((SECONDS - began)) >"$dir/linux.seconds"
}

judge() { # judge DIR SCENE WxH: the verdicts of one case, once its Linux run (if any) has ended
  local dir=$1 scene=$2 size=$3 start seen what frame name status rows
  start=$(reported_start "$dir")
  if [ -z "$start" ]; then
    fail "$scene $size: the Windows program ran ($(head -c 300 "$dir/windows.err" "$dir/report" | tr '\n' ' '))"
    return
  fi
  seen=$(grep -E '^screen ' "$dir/report" | head -1 | cut -d' ' -f2)
  if [ "$seen" = "$size" ]; then
    pass "$scene $size: the Windows program sees a $size screen"
  else
    fail "$scene $size: the Windows program sees a $size screen (it saw $seen)"
    return
  fi
  status=$(cat "$dir/linux.status")
  if [ "$status" -ne 0 ]; then
    fail "$scene $size: kestrova-render ran (exit code $status: $(grep -v g_lpcScrAPI "$dir/linux.err" | head -1))"
    return
  fi
  echo "    $scene $size: start $start, Windows run $(cat "$dir/windows.seconds") s," \
    "Linux run $(cat "$dir/linux.seconds") s"

  what="$scene $size trace ($FRAMES frames)"
  rows=$(wc -l <"$dir/windows.csv")
  if [ "$rows" -ne $((1 + FRAMES * SPRITES)) ]; then
    fail "$what: the Windows trace has $rows lines, not $((1 + FRAMES * SPRITES))"
  elif cmp -s "$dir/windows.csv" "$dir/linux.csv"; then
    pass "$what matches"
  else
    fail "$what differs at $(first_difference "$dir/windows.csv" "$dir/linux.csv")"
  fi

  for frame in "${PICTURE_FRAMES[@]}"; do
    name=$(printf 'frame-%06d' "$frame")
    what="$scene $size frame $frame"
    if python3 "$here/compare_pictures.py" "$dir/windows/$name.bmp" "$dir/linux/$name.png" >"$dir/picture.out" 2>&1; then
      pass "$what matches pixel for pixel"
    else
      fail "$what: $(head -1 "$dir/picture.out")"
    fi
  done
}

previous=()
linux_pid=
for scene in "${SCENES[@]}"; do
  for size in "${SIZES[@]}"; do
    dir=$work/$scene-$size
    run_windows "$dir" "$scene" "$size"
    if [ -n "$linux_pid" ]; then wait "$linux_pid"; fi
    linux_pid=
    start=$(reported_start "$dir")
    if [ -n "$start" ]; then
      run_linux "$dir" "$scene" "$size" "$start" &
      linux_pid=$!
    fi
    [ ${#previous[@]} -eq 0 ] || judge "${previous[@]}"
    previous=("$dir" "$scene" "$size")
  done
done
if [ -n "$linux_pid" ]; then wait "$linux_pid"; fi
judge "${previous[@]}"

finish
