#!/usr/bin/env bash
# Builds the program and starts it on the user's data folder, making a fresh
# one from schema/ and pointing the alias at it when there is none yet.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
exec bash app/start.sh build/tools/mkdatafolder/kxmkdata schema build/app/kxcashier "$@"
