#!/usr/bin/env bash
# Installs the Debian packages Orvella's build, tests and benchmarks need; does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  libsqlite3-dev sqlite3 libcli11-dev
  locales
  libxcb-xkb-dev
  fonts-wine fonts-dejavu-core
  libgtest-dev libbenchmark-dev
  clang clang-format clang-tidy libclang-rt-14-dev
  xvfb xauth imagemagick xdotool desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
