#!/usr/bin/env bash
# Installs the Debian packages one make target needs; does nothing when they are all present.
# Usage: install-deps.sh build|test|bench|fuzz|screenshots|format|mutants
set -euo pipefail

# Building and running Orvella: `make run`, `make install`, `make package`.
build=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools
  libsqlite3-dev libcli11-dev libcsv-dev
  libxcb-xkb-dev
  cmark-gfm
  # Loaded by the program while it runs rather than linked: README's runtime line names them too.
  qt6-qpa-plugins fonts-wine xdg-utils
)
# The tests: localedef needs the locale sources; the install test reads the book with sqlite3, validates the
# desktop entry, looks the man pages up, and builds a scratch copy twice (ccache makes the second quick);
# systemd-analyze verifies the daily backup's units.
test=("${build[@]}" libgtest-dev locales sqlite3 desktop-file-utils man-db ccache systemd)
# The start-up benchmark needs a display: Xvfb when there is none.
bench=("${build[@]}" libbenchmark-dev xvfb)
# The fuzzers build only the data layer, with clang's libFuzzer.
fuzz=(build-essential cmake libsqlite3-dev clang libclang-rt-14-dev)
# The sample book is written with sqlite3; the windows are driven under Xvfb and photographed.
screenshots=("${build[@]}" sqlite3 xvfb xdotool imagemagick)
format=(clang-format git)
# The mutation run builds and runs the suite like make test, driven by a Python script.
mutants=("${test[@]}" python3)

install_missing() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

case ${1:-} in
  build) install_missing "${build[@]}" ;;
  test) install_missing "${test[@]}" ;;
  bench) install_missing "${bench[@]}" ;;
  fuzz) install_missing "${fuzz[@]}" ;;
  screenshots) install_missing "${screenshots[@]}" ;;
  format) install_missing "${format[@]}" ;;
  mutants) install_missing "${mutants[@]}" ;;
  *)
    echo "usage: $0 build|test|bench|fuzz|screenshots|format|mutants" >&2
    exit 2
    ;;
esac
