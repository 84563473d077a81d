#!/usr/bin/env bash
# Builds Celestrix and starts it in a working folder that holds the catalogue.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/install-deps.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release -DCELESTRIX_TESTS=OFF
cmake --build "$top/build" --target celestrix -j"$(nproc)"
work="$top/build/run"
mkdir -p "$work"
[ -e "$work/m_ngc_ic.txt" ] || cp "$top/data/m_ngc_ic.txt" "$work/"
cd "$work"
exec "$top/build/celestrix"
