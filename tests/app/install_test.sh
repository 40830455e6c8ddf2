#!/usr/bin/env bash
# install_test.sh <build folder>
# Installs the build into a scratch prefix and starts the installed command
# as the desktop entry does, on a fresh home: the first start must make the
# data folder from the installed schema, point the alias at it and start the
# installed program (a stand-in that records its arguments); the second
# start must leave an alias the user has pointed elsewhere alone.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
fail() { echo "$*"; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" ||
  { cat "$scratch/install.log"; fail "cmake --install failed"; }

entry="$prefix/share/applications/kxcashier.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Categories=Office;Finance;' "$entry" || fail "the desktop entry's categories"
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$command" ] || fail "the entry's command $command is not installed"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the entry's icon is not installed"

programdir="$prefix/libexec/kxcashier"
[ -f "$programdir/岚衡出纳记账管理系统帮助.html" ] || fail "the help file is not beside the program"
for f in "$programdir/kxcashier" "$programdir/kxmkdata" "$programdir/start.sh"; do
  [ -x "$f" ] || fail "$f is not installed"
done
printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "$KX_STARTED"\n' > "$programdir/kxcashier"

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
export KX_STARTED="$scratch/started"
mkdir -p "$HOME"
"$prefix/bin/$command" --first
data="$XDG_DATA_HOME/kxcashier/data"
aliases="$XDG_CONFIG_HOME/kxcashier/aliases.ini"
[ -s "$data/RUReravezDataBase.sqlite" ] || fail "the first start made no database"
for template in "$prefix/share/kxcashier/schema/templates"/*; do
  [ -f "$data/$(basename "$template")" ] || fail "the shipped template $(basename "$template") is missing"
done
[ "$(cat "$aliases")" = "$(printf '[RUReravezLink]\nPATH=%s' "$data")" ] || fail "alias: $(cat "$aliases")"
[ "$(cat "$KX_STARTED")" = "--first" ] || fail "the program was not started with its arguments"

printf '[RUReravezLink]\nPATH=/elsewhere\n' > "$aliases"
rm "$KX_STARTED"
(cd / && "$prefix/bin/$command")
[ "$(cat "$aliases")" = "$(printf '[RUReravezLink]\nPATH=/elsewhere')" ] || fail "the user's alias was changed"
[ -f "$KX_STARTED" ] || fail "the second start did not start the program"
echo "installed and started"
