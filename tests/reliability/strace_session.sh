#!/usr/bin/env bash
# Runs a scripted session of tabrinex under strace -f on a private Xvfb
# display and checks what the program did outside itself: it creates, writes,
# renames or removes no file, opens no internet socket, and starts other
# programs only by their exact path, never through a shell.
#
#   strace_session.sh TABRINEX SESSION_SCRIPT
set -euo pipefail
program=$1
source "$2"

for tool in Xvfb xdotool strace dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done

session_start_display
session_start_bus
work=$session_work
# The sound server's folder, as a desktop session has it; without one, the
# sound library's PulseAudio client would make that folder.
mkdir -m 700 "$work/runtime/pulse"
# The sound library tries its back ends as it would on a desktop.
unset SDL_AUDIODRIVER
# LeakSanitizer cannot run under ptrace; the sanitizer build checks leaks elsewhere.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

strace -f -qq -o "$work/trace" \
  -e trace=execve,execveat,open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,link,linkat,symlink,symlinkat,truncate,socket \
  "$program" &
traced=$!
session_open_everything
session_system_info
session_exit
status=0
wait "$traced" || status=$?
[ "$status" -eq 0 ] || { echo "tabrinex ended with status $status"; exit 1; }

failures=0
report() {
  echo "$1:"
  sed 's/^/    /' <<<"$2"
  failures=$((failures + 1))
}

# Calls that failed did nothing; what ASan maps for itself is not the program's.
done_calls=$(grep -v -- '= -1 E' "$work/trace")
# A thread's name, which PipeWire's client library gives its own threads
# through /proc, is no file.
writes=$(grep -E 'open(at)?\(.*O_(WRONLY|RDWR|CREAT|TRUNC)' <<<"$done_calls" |
  grep -vE '"/dev/(null|shm/|dri/)|"/proc/self/task/[0-9]+/comm"' || true)
[ -z "$writes" ] || report "files opened for writing" "$writes"
changes=$(grep -E '^[0-9]+ +(creat|mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|link|linkat|symlink|symlinkat|truncate)\(' \
  <<<"$done_calls" || true)
[ -z "$changes" ] || report "files created, renamed or removed" "$changes"
internet=$(grep -E 'socket\(AF_INET6?,' <<<"$done_calls" || true)
[ -z "$internet" ] || report "internet sockets" "$internet"
# The first execve is strace starting tabrinex itself.
started=$(grep -E 'execve(at)?\(' <<<"$done_calls" | tail -n +2 || true)
by_path=$(grep -vE 'execve\("/' <<<"$started" || true)
[ -z "$by_path" ] || report "programs started without an exact path" "$by_path"
shells=$(grep -E 'execve\("[^"]*/(sh|bash|dash)"' <<<"$started" || true)
[ -z "$shells" ] || report "programs started through a shell" "$shells"

echo "$(grep -c . "$work/trace") calls watched, $(grep -c . <<<"$started") programs started"
[ "$failures" -eq 0 ]
