#!/usr/bin/env bash
# The keypad link and its tests built with ThreadSanitizer in a build folder of
# their own: the hand-over between the MIDI thread and the UI thread must be
# free of data races. Any report fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-tsan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  -DZLV_BUILD_GUI=OFF -DZLV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target midi_tests
TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$PWD/scripts/ci.d/tsan.supp" "$build/tests/midi/midi_tests" --gtest_brief=1
