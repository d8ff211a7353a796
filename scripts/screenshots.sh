#!/usr/bin/env bash
# Starts Orvella under Xvfb with a small sample book, opens each window in turn through its access keys and
# saves a picture of each. Usage: screenshots.sh BUILD_DIR [OUT_DIR]; SCALE sets QT_SCALE_FACTOR (default 1).
set -euo pipefail

build=${1:?usage: screenshots.sh BUILD_DIR [OUT_DIR]}
out=${2:-docs}
scale=${SCALE:-1}
if [ ! -x "$build/bin/orvella" ] || [ ! -x "$build/bin/orvella-db" ]; then
  cmake --build "$build" --target orvella orvella-db
fi
mkdir -p "$out"

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# A program folder of its own, so the sample book never touches the user's.
cp "$build/bin/orvella" "$build/bin/orvella-db" "$work/"
mkdir "$work/Database"
"$work/orvella-db" create "$work/Database/Database.mdb" >/dev/null
sqlite3 "$work/Database/Database.mdb" <<'SQL'
INSERT INTO GMaster VALUES (1, 'Salary', '2'), (2, 'Consulting', '2'), (3, 'Interest', '2'),
                           (4, 'Rent', '1'), (5, 'Groceries', '1'), (6, 'Electricity', '1'), (7, 'Travel', '1');
INSERT INTO Income VALUES (1, '2024-04-01', 'Salary', 52000, 'April salary'),
                          (2, '2024-04-12', 'Consulting', 8500, 'Website review for a neighbour'),
                          (3, '2024-04-30', 'Interest', 312.75, 'Savings account, quarter'),
                          (4, '2024-05-01', 'Salary', 52000, 'May salary');
INSERT INTO Expenses VALUES (1, '2024-04-03', 'Rent', 15000, 'April rent'),
                            (2, '2024-04-06', 'Groceries', 2340.5, 'Weekly market'),
                            (3, '2024-04-18', 'Electricity', 1875, 'Bill for March'),
                            (4, '2024-04-22', 'Travel', 640, 'Train to Pune');
SQL

display=:$((90 + RANDOM % 100))
# The screen grows with the scale, as a high-density screen does: the same 1024x720 logical pixels.
geometry=$(awk -v s="$scale" 'BEGIN { printf "%dx%d", 1024 * s, 720 * s }')
Xvfb "$display" -screen 0 "${geometry}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# One keyboard key at a time: a menu must be open before the key that picks from it arrives.
# A "click:X,Y" step clicks the mouse there instead.
keys() {
  for key in "$@"; do
    case $key in
      click:*) IFS=, read -r x y <<<"${key#click:}"; xdotool mousemove "$x" "$y" click 1 ;;
      *) xdotool key "$key" ;;
    esac
    sleep 0.5
  done
  sleep 0.5
}

# Each picture from a fresh start, so that no other window stands in front.
start() {
  QT_SCALE_FACTOR=$scale LC_ALL=C.UTF-8 "$work/orvella" >>"$work/orvella.log" 2>&1 &
  program_pid=$!
  local window=""
  for _ in $(seq 300); do
    window=$(xdotool search --name '^O r v e l l a$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "Orvella did not open a window:" >&2; cat "$work/orvella.log" >&2; exit 1; }
  sleep 2
}
stop() {
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
}
shot() {
  local name=$1
  shift
  start
  keys "$@"
  sleep 1
  import -window root "$out/$name.png"
  echo "$out/$name.png"
  stop
}

shot main-window
shot master-categories alt+m e
shot master-sources alt+m i
shot income-narrow alt+t i
# Modify with no record picked says so and opens the list: the wide window with its rows. Alt+M opens the
# Master menu rather than pressing Modify, so Modify is clicked where it stands.
modify=$(awk -v s="$scale" 'BEGIN { printf "click:%d,%d", 295 * s, 414 * s }')
shot income-wide alt+t i "$modify" Return
shot expenses alt+t e
shot report alt+r
