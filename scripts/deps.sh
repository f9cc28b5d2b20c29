#!/usr/bin/env bash
# Installs the Debian packages the editor and its tests need, only those missing.
set -euo pipefail
packages=(cmake g++ clang pkg-config qt6-base-dev librtmidi-dev libasound2-dev libjack-jackd2-dev jackd2
          libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev libgl1-mesa-dev xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
