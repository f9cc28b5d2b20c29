#!/usr/bin/env bash
# Fuzzes every reader of outside bytes for a fixed short time in a clang build
# of its own, starting from seeds the writers produce. Any finding fails CI and
# leaves its input in build-fuzz/fuzz/findings for a regression test.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${ZLV_FUZZ_SECONDS:-30}"
out=build-fuzz/fuzz

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DZLV_BUILD_FUZZ=ON -DZLV_BUILD_GUI=OFF -DZLV_BUILD_TESTS=OFF -DZLV_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j4 --target zlv_fuzz

rm -rf "$out/seeds" "$out/list-seeds" "$out/findings"
mkdir -p "$out/findings"
"$out/fuzz_make_seeds" "$out/seeds" "$out/list-seeds"

status=0
# Runs one target with CI's limits; a finding fails the stage.
run() {
  local target=$1 log=$2
  shift 2
  if ! "$out/$target" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
      -artifact_prefix="$out/findings/$target-" "$@" >"$log" 2>&1; then
    echo "$target: finding, see $log and $out/findings" >&2
    tail -n 40 "$log" >&2
    status=1
    return 1
  fi
}

for target in fuzz_count_syx fuzz_load_bank fuzz_import_preset fuzz_read_syx_file fuzz_load_syx_list \
  fuzz_load_upgrade_list; do
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  case "$target" in
    fuzz_load_syx_list | fuzz_load_upgrade_list)
      # The list loaders' large seeds are loaded once under the memory limit;
      # mutating inputs of half a megabyte would slow the fuzzing itself some
      # fortyfold.
      echo "-- $target: large seeds"
      run "$target" "$out/$target-large.log" -runs=0 "$out/list-seeds" || true
      ;;
  esac
  echo "-- $target (${seconds}s)"
  if run "$target" "$out/$target.log" -max_total_time="$seconds" "$corpus" "$out/seeds"; then
    grep -E "stat::number_of_executed_units|DONE" "$out/$target.log" | tail -n 2 || true
  fi
done
exit $status
