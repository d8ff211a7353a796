#!/usr/bin/env bash
# Installs Orvella from a scratch copy of the project as a user does, with HOME (and so the program folder)
# in a temporary folder: the book must survive make clean and installing again. Then a package's staged
# install, and the tarball, whose programs must need no package beyond the README's runtime line.
# Usage: InstallAndPackage.sh SOURCE_DIR XCB_PLUGIN
set -euo pipefail
source_dir=$1
xcb_plugin=$2

scratch=$(mktemp -d /tmp/orvella-install.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
project=$scratch/project
mkdir "$project"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$project" -xf -

# A home whose path holds a blank, which the desktop entry must quote.
export HOME="$scratch/my home"
mkdir "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME DISPLAY WAYLAND_DISPLAY PREFIX DESTDIR MAKEFLAGS MAKELEVEL MFLAGS
prefix=$HOME/.local/opt/orvella
book=$prefix/Database/Database.mdb
# Stand-ins that log each call, so the staged install can be seen to refresh no cache and start nothing.
mkdir "$scratch/tools"
for tool in systemctl update-desktop-database gtk-update-icon-cache mandb; do
  printf '#!/bin/sh\necho %s "$@" >>"%s/calls"\n' "$tool" "$scratch" >"$scratch/tools/$tool"
  chmod +x "$scratch/tools/$tool"
done
export PATH="$scratch/tools:$HOME/.local/bin:$PATH"
# The copy builds twice; a cache of its own makes the second build quick.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache CCACHE_DIR=$scratch/ccache
fi

in_project() {
  make -C "$project" "$@" >"$scratch/make.log" 2>&1 || { cat "$scratch/make.log" >&2; fail "make $*"; }
}
sql() { sqlite3 "$book" "$1"; }
expect_files() {
  local folder=$1 path
  for path in "${@:2}"; do [ -e "$folder/$path" ] || fail "missing: $folder/$path"; done
}
# The guide and every picture it shows.
expect_guide() {
  local pictures
  mapfile -t pictures < <(grep -o '<img src="[^"]*"' "$1/help/user-guide.html" | sed 's/<img src="//; s/"$//')
  [ ${#pictures[@]} -gt 0 ] || fail "the guide in $1 shows no pictures"
  expect_files "$1/help" "${pictures[@]}"
}
exec_lines() { grep '^Exec=' "$1" | tr '\n' '|'; }

# make run lays out the program folder alone, with an empty book; with no display it says so.
if make -C "$project" run >"$scratch/make.log" 2>&1; then
  fail "make run went on without a display"
fi
grep -q 'no display' "$scratch/make.log" || { cat "$scratch/make.log" >&2; fail "make run did not say why it stopped"; }
expect_files "$prefix" orvella orvella-db Database/Database.mdb
expect_guide "$prefix"
[ "$(sql 'SELECT count(*) FROM GMaster; SELECT count(*) FROM Income; SELECT count(*) FROM Expenses;')" = $'0\n0\n0' ] ||
  fail "a fresh install should hold an empty book"
[ ! -e "$HOME/.local/share" ] && [ ! -e "$HOME/.local/bin" ] || fail "make run installed more than the program folder"

# make install adds the desktop entry, icons, man pages and commands, each naming the program folder.
in_project install
share=$HOME/.local/share
entry=$share/applications/orvella.desktop
expect_files "$share" icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128}/apps/orvella.png \
  icons/hicolor/scalable/apps/orvella.svg
[ "$(exec_lines "$entry")" = "Exec=\"$prefix/orvella\"|Exec=xdg-open \"$prefix/help/user-guide.html\"|" ] ||
  fail "the desktop entry does not start the installed program and guide: $(exec_lines "$entry")"
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
for page in orvella orvella-db; do
  [ "$(env -u MANPATH man -w "$page")" = "$share/man/man1/$page.1" ] || fail "man does not find $page(1)"
  out=$(man --warnings -l "$share/man/man1/$page.1" 2>&1 >/dev/null) && [ -z "$out" ] || fail "$page(1): $out"
done
[ "$(orvella-db check "$book")" = ok ] || fail "orvella-db on PATH does not check the book"
# and the daily backup's timer, enabled (tests/install/BackupTimer.cmake verifies the units).
timer=orvella-backup-$(systemd-escape --path "$prefix").timer
expect_files "$HOME/.config/systemd/user" "$timer" "${timer%.timer}.service"
grep -qxF "systemctl --user enable --now $timer" "$scratch/calls" || fail "make install did not enable $timer"

# The user books an income and an older program stands in the folder; the build folder goes, and the
# next install keeps the book and replaces the program.
sql "INSERT INTO Income VALUES (1, '2024-03-31', 'Salary', 1500.5, 'March, ''with'' quotes');"
echo "an older program" >"$prefix/orvella"
in_project clean
[ ! -e "$project/build" ] || fail "make clean left the build folder"
in_project install
[ "$(sql "SELECT IncSource || '|' || IncAmount || '|' || IncDescription FROM Income;")" = \
  "Salary|1500.5|March, 'with' quotes" ] || fail "installing again changed the book"
[ "$(stat -c %s "$prefix/orvella")" -gt 1000 ] || fail "installing again did not replace the older program"

# A package staged with DESTDIR: everything under it, naming the final folder; nothing refreshed, nothing
# written in the user's home.
stage=$scratch/stage
rm -f "$scratch/calls"
find "$HOME" | sort >"$scratch/home-before"
DESTDIR=$stage cmake --install "$project/build/release" --prefix /opt/orvella >"$scratch/make.log" 2>&1 ||
  { cat "$scratch/make.log" >&2; fail "the staged install"; }
[ ! -e "$scratch/calls" ] || fail "the staged install ran: $(cat "$scratch/calls")"
find "$HOME" | sort | cmp -s - "$scratch/home-before" || fail "the staged install wrote in the home folder"
expect_files "$stage/opt/orvella" orvella orvella-db Database/Database.mdb
expect_files "$stage/usr/share" applications/orvella.desktop icons/hicolor/48x48/apps/orvella.png \
  man/man1/orvella.1 man/man1/orvella-db.1
expect_files "$stage/usr/lib/systemd/user" orvella-backup-opt-orvella.{service,timer}
[ "$(exec_lines "$stage/usr/share/applications/orvella.desktop")" = \
  "Exec=/opt/orvella/orvella|Exec=xdg-open /opt/orvella/help/user-guide.html|" ] ||
  fail "the staged desktop entry names the staging folder"
[ "$(readlink "$stage/usr/bin/orvella-db")" = /opt/orvella/orvella-db ] || fail "the staged link"

# The tarball: one folder holding the program folder, guide included.
in_project package
unpacked=$scratch/unpacked
mkdir "$unpacked"
tar -C "$unpacked" -xzf "$project"/build/release/orvella-*-linux.tar.gz
unpacked=$(echo "$unpacked"/orvella-*-linux)
expect_files "$unpacked" orvella orvella-db Database/Database.mdb
expect_guide "$unpacked"

# What the programs load, each file's package among those the README's runtime line brings in: the named
# ones and everything they depend on (not what they only recommend).
line=$(grep -E '^(sudo )?apt-get install ' "$source_dir/README.md") && [ "$(wc -l <<<"$line")" -eq 1 ] ||
  fail "README.md should give the runtime packages on one 'apt-get install' line"
read -ra queue <<<"$(tr ' ' '\n' <<<"${line#*apt-get install }" | grep -v '^-' | tr '\n' ' ')"
declare -A brought=()
while [ ${#queue[@]} -gt 0 ]; do
  package=${queue[-1]}
  unset 'queue[-1]'
  [ -z "${brought[$package]:-}" ] || continue
  brought[$package]=1
  depends=$(dpkg-query -W -f='${Depends}, ${Pre-Depends}\n' "$package" 2>/dev/null) || continue
  # Any alternative may be the one installed.
  read -ra more <<<"$(sed -E 's/\([^)]*\)//g; s/:any//g; s/[,|]/ /g' <<<"$depends" | tr '\n' ' ')"
  queue+=("${more[@]}")
done
files=("$xcb_plugin" "$(command -v xdg-open)")
files+=($(grep -o '/usr/share/[^"]*\.ttf' "$source_dir/ui/Fonts.cpp"))
files+=($(ldd "$unpacked/orvella" "$unpacked/orvella-db" "$xcb_plugin" | awk '/=> \// { print $3 }' | sort -u))
missing=""
for file in "${files[@]}"; do
  # Debian 12 records most libraries under /usr/lib, where ldd names them by /lib.
  owner=$(dpkg-query -S "$file" 2>/dev/null || dpkg-query -S "/usr$file" 2>/dev/null) || fail "no package owns $file"
  package=${owner%%:*}
  [ -n "${brought[$package]:-}" ] || missing+=" $package ($file)"
done
[ -z "$missing" ] || fail "the README's runtime packages do not bring:$missing"
echo "installed, reinstalled over a kept book, staged and packed"
