#!/usr/bin/env bash
# The keypad link over a real MIDI transport: a JACK server of our own with the
# dummy driver, the keypad emulator on two JACK MIDI ports, and the end-to-end
# test on the program's RtMidi backend:
# - at a small period, the whole exchange;
# - at 1024 frames (a common desktop setting), the keypad's identification and one preset;
# - a keypad that answers everything twice, 1 ms apart, and leaves some messages
#   unanswered: never a success for what it did not acknowledge;
# - a keypad whose replies come split by real-time bytes: acknowledged all the same;
# - the server killed and started again with the keypad under another name: listed,
#   connected, a bank downloaded, and the program exits cleanly.
# The server and the emulator are stopped by their process ids after each run and
# when the stage ends, passed or not.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build
[ -x "$build/tests/midi/midi_jack_e2e" ] || cmake --build "$build" -j"$(nproc)" --target midi_jack_e2e zlv_keypad_emulator

work=$(mktemp -d)
export ZLV_E2E_WORK="$work"
export JACK_DEFAULT_SERVER="zlv-e2e-$$"
export JACK_NO_AUDIO_RESERVATION=1
export ZLV_KEYPAD_CLIENT=zkeypad
export ZLV_KEYPAD_LOG="$work/received.syx"
export ZLV_KEYPAD_EMULATOR="$PWD/$build/tests/midi/zlv_keypad_emulator"
export ZLV_JACK_KEYPAD="$PWD/tests/midi/jack_keypad.sh"

cleanup() {
  local rc=$?
  bash "$ZLV_JACK_KEYPAD" stop || true
  if [ $rc -ne 0 ]; then
    echo "-- jackd output:"; cat "$work/jackd.log" 2>/dev/null || true
    echo "-- emulator output:"; cat "$work/emulator.log" 2>/dev/null || true
  fi
  rm -rf "$work"
  exit $rc
}
trap cleanup EXIT

# One server and one emulator at the given period, and the tests named; the
# emulator's own settings may stand before the call.
run_at_period() {
  local period=$1 filter=$2
  : >"$work/jackd.log"
  bash "$ZLV_JACK_KEYPAD" start "$ZLV_KEYPAD_CLIENT" "$period"
  echo "-- JACK period $period frames: $filter"
  "$build/tests/midi/midi_jack_e2e" --gtest_brief=1 --gtest_filter="$filter"
  bash "$ZLV_JACK_KEYPAD" stop
}

run_at_period 128 'JackEndToEnd.BankFirmwareAndSettingsReachTheKeypadWhole'
run_at_period 1024 'JackEndToEnd.AtADesktopPeriodTheKeypadIsFoundAndAPresetAcknowledged'
ZLV_KEYPAD_DOUBLE_MS=1 ZLV_KEYPAD_SILENT_AT=5,8 \
  run_at_period 128 'JackEndToEnd.DoubledRepliesNeverPassForAMissingAcknowledge'
ZLV_KEYPAD_DOUBLE_MS=1 ZLV_KEYPAD_SILENT_AT=5,8 \
  run_at_period 32 'JackEndToEnd.DoubledRepliesNeverPassForAMissingAcknowledge'
ZLV_KEYPAD_CLOCK=1 run_at_period 128 'JackEndToEnd.RepliesSplitByRealTimeBytesAreAcknowledged'
run_at_period 128 'JackEndToEnd.AfterTheServerComesBackTheKeypadIsFoundUnderItsNewName'
