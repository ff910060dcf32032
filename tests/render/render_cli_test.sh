#!/usr/bin/env bash
# The renderer as a user runs it: long traces, PNG output read back by an independent reader, and bad arguments
# that end with exit code 2 and write nothing.
set -uo pipefail
render=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # check NAME COMMAND...: one named case
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}

# 6000 frames of each scene: one header and 30 rows a frame, in the documented columns.
for scene in flyby tumbler; do
  "$render" "$scene" --frames 6000 --trace "$work/$scene.csv"
  check "$scene trace exit code" test $? -eq 0
  check "$scene trace header" test "$(head -1 "$work/$scene.csv")" = "frame,time,sprite,image,x,y,mirror,mode"
  check "$scene trace rows" test "$(wc -l < "$work/$scene.csv")" -eq $((1 + 6000 * 30))
  check "$scene last frame" test "$(tail -1 "$work/$scene.csv" | cut -d, -f1-3)" = "6000,60000,29"
done
# The tumbler's sprite 0 at 10 ms, and flyby's colours and grey.
check "tumbler sprite 0 at 10 ms" grep -qx "1,10,0,0,-48,-523,0,copy" "$work/tumbler.csv"
check "flyby draws left-movers grey and mirrored" grep -q ",1,gray$" "$work/flyby.csv"
check "flyby draws right-movers in colour" grep -q ",0,copy$" "$work/flyby.csv"
check "time wraps" test "$("$render" tumbler --start 4294967290 --frames 1 --trace - | sed -n 2p | cut -d, -f2)" = 4

# PNG frames, full screen and stretched into a preview.
"$render" flyby --size 640x480 --frames 3 --png "$work/full" >/dev/null
check "full-screen PNGs" python3 "$here/check_png.py" 640 480 "$work"/full/frame-00000{1,2,3}.png
"$render" tumbler --size 1024x768 --window 200x150 --frames 500 --png "$work/preview" --png-frames 1,500 2>/dev/null
check "preview PNGs" python3 "$here/check_png.py" 200 150 "$work"/preview/frame-000001.png "$work"/preview/frame-000500.png
check "only the listed frames" test "$(ls "$work/preview" | wc -l)" -eq 2
check "trace gets the usual file mode" test "$(stat -c %a "$work/tumbler.csv")" = "$(printf '%o' $((0666 & ~$(umask))))"

# Colours come out as the art has them: the hedgehog's spines (138, 94, 60), not red and blue swapped.
"$render" tumbler --frames 500 --png "$work/colours" --png-frames 500 2>/dev/null
colours=$(convert "$work/colours/frame-000500.png" -unique-colors txt:- 2>/dev/null)
check "art colours in the PNG" grep -q "#8A5E3C" <<< "$colours"
check "no swapped colours in the PNG" test -z "$(grep "#3C5E8A" <<< "$colours")"

# Bad arguments: exit code 2, one line on standard error, nothing written.
mkdir "$work/locked" && chmod a-w "$work/locked"
touch "$work/a-file"
bad_cases=(
  "nosuchscene --trace $work/bad.csv"
  "flyby --size 0x0 --trace $work/bad.csv"
  "flyby --frames 0 --trace $work/bad.csv"
  "flyby --frames 5000000 --trace $work/bad.csv"
  "flyby --trace $work/bad.csv --png $work/a-file"
  "flyby --trace $work/no/such/folder/t.csv"
  "flyby --trace $work"
  "flyby --size 10000x7000 --trace $work/bad.csv"
)
[ "$(id -u)" -ne 0 ] && bad_cases+=("flyby --trace $work/bad.csv --png $work/locked/png")
for arguments in "${bad_cases[@]}"; do
  # shellcheck disable=SC2086
  "$render" $arguments > "$work/stdout" 2> "$work/stderr"
  code=$?
  check "exit code 2 for: $arguments" test "$code" -eq 2
  check "one line for: $arguments" test "$(wc -l < "$work/stderr")" -eq 1
  check "nothing written for: $arguments" test ! -e "$work/bad.csv" -a ! -s "$work/stdout"
done
check "no trace left behind" test -z "$(find "$work" -name 'bad.csv*')"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
