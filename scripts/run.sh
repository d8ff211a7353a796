#!/usr/bin/env bash
# Starts the installed program, or says plainly why it cannot be shown.
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Orvella is installed ($program) but there is no display to show it on:" >&2
  echo "neither DISPLAY nor WAYLAND_DISPLAY is set. Run 'make run' from a desktop session," >&2
  echo "or start a virtual one, e.g. 'Xvfb :99 & DISPLAY=:99 make run'." >&2
  exit 1
fi
exec "$program"
