#!/usr/bin/env bash
# The JACK server and the keypad emulator of the end-to-end test, started and
# stopped by their process ids, kept in $ZLV_E2E_WORK:
#
#   jack_keypad.sh start <client> [period]  a server at <period> frames (the last
#                                           one used when left out), the emulator as <client>
#   jack_keypad.sh kill                     both die at once (SIGKILL), as a crashing server does
#   jack_keypad.sh stop                     both stopped (SIGTERM, then SIGKILL)
#
# A killed server leaves its name in JACK's registry of servers, which holds
# eight, until a server of the same name starts again; stop does that for a
# server that was killed and not started again, or that it had to kill.
#
# Needs JACK_DEFAULT_SERVER, ZLV_E2E_WORK, ZLV_KEYPAD_EMULATOR and ZLV_KEYPAD_LOG;
# the emulator's own variables (ZLV_KEYPAD_DOUBLE_MS ...) pass through.
set -euo pipefail
work=${ZLV_E2E_WORK:?}

# Starts a command in the background under a shell that waits for it, so that
# it is reaped the moment it dies: a new server refuses to start while the old
# one's process id still exists, even as a zombie, and whoever inherits the
# processes of a script that has ended may reap them late.
spawn() {
  local pidfile=$1 log=$2
  shift 2
  bash -c '"$@" </dev/null & echo $! >"$0"; wait' "$pidfile" "$@" >>"$log" 2>&1 &
  for _ in $(seq 50); do
    [ -s "$pidfile" ] && return 0
    sleep 0.02
  done
}

# Running, and not a zombie.
alive() {
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

stop_pid() {
  local file=$1 signal=$2 pid
  [ -s "$file" ] || return 0
  pid=$(cat "$file")
  rm -f "$file"
  kill "-$signal" "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    alive "$pid" || return 0
    sleep 0.1
  done
  escalated=1
  kill -KILL "$pid" 2>/dev/null || true
  while alive "$pid"; do sleep 0.1; done
}

case "${1:-}" in
start)
  client=${2:?client name}
  period=${3:-$(cat "$work/period" 2>/dev/null || echo 128)}
  echo "$period" >"$work/period"
  rm -f "$work/jackd.pid" "$work/emulator.pid" "$work/killed"
  spawn "$work/jackd.pid" "$work/jackd.log" jackd --no-realtime --sync -d dummy -r 48000 -p "$period"
  jack_wait -w -t 20 >/dev/null 2>&1
  : >"$work/emulator.log"
  spawn "$work/emulator.pid" "$work/emulator.log" "$ZLV_KEYPAD_EMULATOR" "$client" "$ZLV_KEYPAD_LOG"
  for _ in $(seq 100); do
    grep -q READY "$work/emulator.log" && exit 0
    alive "$(cat "$work/emulator.pid")" || { echo "keypad emulator did not start"; exit 1; }
    sleep 0.1
  done
  echo "keypad emulator not ready"
  exit 1
  ;;
kill)
  [ -s "$work/jackd.pid" ] && touch "$work/killed"
  stop_pid "$work/jackd.pid" KILL
  stop_pid "$work/emulator.pid" KILL
  ;;
stop)
  escalated=0
  stop_pid "$work/emulator.pid" TERM
  stop_pid "$work/jackd.pid" TERM
  # Killed here or before (a slow client, such as a sanitizer's build, can
  # hold up a server's stop): once more without clients, to free its name.
  if [ -e "$work/killed" ] || [ "$escalated" = 1 ]; then
    rm -f "$work/killed"
    spawn "$work/jackd.pid" "$work/jackd.log" jackd --no-realtime -d dummy
    jack_wait -w -t 20 >/dev/null 2>&1 || true
    stop_pid "$work/jackd.pid" TERM
  fi
  # What the clients of a killed server leave behind.
  rm -f /dev/shm/jack_sem.*_"${JACK_DEFAULT_SERVER:?}"_*
  ;;
*)
  echo "usage: jack_keypad.sh start <client> [period] | kill | stop" >&2
  exit 2
  ;;
esac
