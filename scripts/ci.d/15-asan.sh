#!/usr/bin/env bash
# The whole project (editor, windows and every CTest suite) built with
# AddressSanitizer and UndefinedBehaviorSanitizer in a build folder of its own:
# memory faults, leaks and undefined behaviour that the normal build passes by
# luck. Any report fails the stage.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build-asan
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DZLV_BUILD_GUI=ON -DZLV_BUILD_TESTS=ON -DZLV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

# Leaks are reported when each suite ends; UBSan stops at its first report (the
# build does not recover), ASan at any.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
