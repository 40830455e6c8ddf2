#!/usr/bin/env bash
# start.sh <kxmkdata> <schema folder> <program> [program arguments]
# Starts the program on the user's data folder, first making a fresh one from
# the schema folder and pointing the alias "RUReravezLink" at it when there is
# none yet. The run command passes its build's files, the installed
# "kxcashier" command the installed ones.
set -euo pipefail
mkdata=$1
schema=$2
program=$3
shift 3

data="${XDG_DATA_HOME:-$HOME/.local/share}/kxcashier/data"
if [ ! -f "$data/RUReravezDataBase.sqlite" ]; then
  "$mkdata" "$schema" "$data"
fi

aliases="${XDG_CONFIG_HOME:-$HOME/.config}/kxcashier/aliases.ini"
if ! grep -qs '^\[RUReravezLink\]' "$aliases"; then
  mkdir -p "$(dirname "$aliases")"
  printf '[RUReravezLink]\nPATH=%s\n' "$data" >> "$aliases"
fi

exec "$program" "$@"
