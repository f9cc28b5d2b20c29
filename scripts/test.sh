#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the extra
# stages in scripts/ci.d (sanitizer builds, fuzzing, the MIDI transport test)
# first, then the whole CTest suite, whose summary closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
for stage in scripts/ci.d/*.sh; do
  [ -e "$stage" ] || continue
  echo "== $(basename "$stage")"
  bash "$stage"
done
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
