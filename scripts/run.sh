#!/usr/bin/env bash
# Builds the program and starts it on the user's data folder, making a fresh
# one from schema/ and pointing the alias at it when there is none yet.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -G Ninja -B build -S . -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target kxcashier kxmkdata

data="${XDG_DATA_HOME:-$HOME/.local/share}/kxcashier/data"
if [ ! -f "$data/RUReravezDataBase.sqlite" ]; then
  build/tools/mkdatafolder/kxmkdata schema "$data"
fi

aliases="${XDG_CONFIG_HOME:-$HOME/.config}/kxcashier/aliases.ini"
if ! grep -qs '^\[RUReravezLink\]' "$aliases"; then
  mkdir -p "$(dirname "$aliases")"
  printf '[RUReravezLink]\nPATH=%s\n' "$data" >> "$aliases"
fi

exec build/app/kxcashier "$@"
