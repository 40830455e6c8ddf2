#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; skips what is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache clang-format
  qt6-translations-l10n desktop-file-utils dpkg-dev
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
  libsqlite3-dev zlib1g-dev libjpeg-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-wqy-zenhei
  python3 python3-xlrd python3-openpyxl clang-14 libclang-rt-14-dev poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
