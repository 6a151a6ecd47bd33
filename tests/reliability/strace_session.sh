#!/usr/bin/env bash
# Runs a scripted session of tabrinex under strace -f on a private Xvfb
# display and checks what the program did outside itself: it creates, writes,
# renames or removes no file, opens no internet socket, and starts one other
# program, the system-information viewer, by its exact path, not through a
# shell, with the environment it was given. Before its launcher shows it loads
# no image-format plugin and looks for no file relative to the current folder.
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

# The viewer: a program of our own in the only folder of the search path, under
# no desktop. The windowing platform is left for tabrinex to choose, as it is
# on a desktop, so that its choice can be looked for in what it passes on.
viewer=$work/viewer/hardinfo
mkdir "$work/viewer"
ln -s "$(type -P true)" "$viewer"
unset QT_QPA_PLATFORM XDG_CURRENT_DESKTOP
strace=$(command -v strace)
# Each call with its time, and each file descriptor with its file, so that the
# libraries mapped to run can be told by name.
PATH=$work/viewer "$strace" -f -qq -ttt -y -o "$work/trace" -v -s 256 \
  -e trace=execve,execveat,open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,link,linkat,symlink,symlinkat,truncate,socket,mmap \
  "$program" &
traced=$!
session_launcher >/dev/null
launcher_seen=$(date +%s.%N)
session_open_everything
session_system_info
for _ in $(seq 100); do
  grep -qF "execve(\"$viewer\"" "$work/trace" && break
  sleep 0.1
done
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
# A thread's name is no file: the sound library's PipeWire client names its
# threads through /proc.
done_calls=$(grep -v -- '= -1 E' "$work/trace")
writes=$(grep -E 'open(at)?\(.*O_(WRONLY|RDWR|CREAT|TRUNC)' <<<"$done_calls" |
  grep -vE '"/dev/(null|shm/|dri/)|"/proc/self/task/[0-9]+/comm"' || true)
[ -z "$writes" ] || report "files opened for writing" "$writes"
changes=$(grep -E '^[0-9]+ +[0-9.]+ +(creat|mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|link|linkat|symlink|symlinkat|truncate)\(' \
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
others=$(grep -vF "execve(\"$viewer\", [\"$viewer\"]" <<<"$started" || true)
[ -z "$others" ] || report "programs started other than the viewer" "$others"
[ "$(grep -c . <<<"$started")" -eq 1 ] || report "the viewer started not once" "$started"
leaked=$(grep -F '"QT_QPA_PLATFORM=' <<<"$started" || true)
[ -z "$leaked" ] || report "the windowing platform passed on to the viewer" "$leaked"

# Up to the launcher: Qt opens every image-format plugin to read what it
# offers, but one is loaded only when its code is mapped to run. The pictures
# shown at start come from the readers built into Qt.
before=$(awk -v seen="$launcher_seen" '$2 < seen' "$work/trace")
plugins=$(grep -E 'mmap\(.*PROT_EXEC.*/imageformats/' <<<"$before" || true)
[ -z "$plugins" ] || report "image-format plugins loaded before the launcher showed" "$plugins"
relative=$(grep -E 'open(at)?\((AT_FDCWD[^,]*, )?"[^/]' <<<"$before" || true)
[ -z "$relative" ] || report "files looked for relative to the current folder" "$relative"

echo "$(grep -c . "$work/trace") calls watched, $(grep -c . <<<"$started") programs started"
[ "$failures" -eq 0 ]
