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
for target in fuzz_count_syx fuzz_load_bank fuzz_import_preset fuzz_read_syx_file fuzz_load_syx_list \
  fuzz_load_upgrade_list; do
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  seeds=("$out/seeds")
  case "$target" in fuzz_load_syx_list | fuzz_load_upgrade_list) seeds+=("$out/list-seeds") ;; esac
  echo "-- $target (${seconds}s)"
  if ! "$out/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
      -artifact_prefix="$out/findings/$target-" "$corpus" "${seeds[@]}" >"$out/$target.log" 2>&1; then
    echo "$target: finding, see $out/$target.log and $out/findings" >&2
    tail -n 40 "$out/$target.log" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|DONE" "$out/$target.log" | tail -n 2 || true
  fi
done
exit $status
