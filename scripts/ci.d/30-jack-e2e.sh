#!/usr/bin/env bash
# The keypad link over a real MIDI transport: a JACK server of our own with the
# dummy driver, the keypad emulator on two JACK MIDI ports, and the end-to-end
# test on the program's RtMidi backend; once at a small period with the whole
# exchange, once at 1024 frames (a common desktop setting) with the keypad's
# identification and one preset. The server and the emulator are stopped by
# their process ids after each run and when the stage ends, passed or not.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build
[ -x "$build/tests/midi/midi_jack_e2e" ] || cmake --build "$build" -j"$(nproc)" --target midi_jack_e2e zlv_keypad_emulator

work=$(mktemp -d)
export JACK_DEFAULT_SERVER="zlv-e2e-$$"
export JACK_NO_AUDIO_RESERVATION=1
export ZLV_KEYPAD_CLIENT=zkeypad
export ZLV_KEYPAD_LOG="$work/received.syx"
jack_pid=""
emulator_pid=""

stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  local rc=$?
  stop "$emulator_pid"
  stop "$jack_pid"
  if [ $rc -ne 0 ]; then
    echo "-- jackd output:"; cat "$work/jackd.log" 2>/dev/null || true
    echo "-- emulator output:"; cat "$work/emulator.log" 2>/dev/null || true
  fi
  rm -rf "$work"
  exit $rc
}
trap cleanup EXIT

# One server and one emulator at the given period, and the tests named.
run_at_period() {
  local period=$1 filter=$2
  : >"$work/jackd.log"
  : >"$work/emulator.log"
  jackd --no-realtime --sync -d dummy -r 48000 -p "$period" >"$work/jackd.log" 2>&1 &
  jack_pid=$!
  jack_wait -w -t 20 >/dev/null 2>&1

  "$build/tests/midi/zlv_keypad_emulator" "$ZLV_KEYPAD_CLIENT" "$ZLV_KEYPAD_LOG" >"$work/emulator.log" 2>&1 &
  emulator_pid=$!
  for _ in $(seq 100); do
    grep -q READY "$work/emulator.log" && break
    kill -0 "$emulator_pid" 2>/dev/null || { echo "keypad emulator did not start"; exit 1; }
    sleep 0.1
  done
  grep -q READY "$work/emulator.log" || { echo "keypad emulator not ready"; exit 1; }

  echo "-- JACK period $period frames"
  "$build/tests/midi/midi_jack_e2e" --gtest_brief=1 --gtest_filter="$filter"
  stop "$emulator_pid"; emulator_pid=""
  stop "$jack_pid"; jack_pid=""
}

run_at_period 128 'JackEndToEnd.BankFirmwareAndSettingsReachTheKeypadWhole'
run_at_period 1024 'JackEndToEnd.AtADesktopPeriodTheKeypadIsFoundAndAPresetAcknowledged'
