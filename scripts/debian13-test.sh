#!/usr/bin/env bash
# The two commands' tests and the desktop checks on Debian 13 ("trixie"), from a
# Debian 12 machine: a Debian 13 root made with debootstrap from the archive apt
# already uses here, kept in build/debian13-root so that a later run reuses it.
# A clone of this tree's committed state runs inside it, with /proc, /dev and
# /sys bound in. What this script mounts it unmounts, and what it starts it
# stops by pid, whether the checks pass or not.
#
#   scripts/debian13-test.sh [CHECK...]    (the checks below by default)
#   scripts/debian13-test.sh "scripts/desktop-checks.sh --repeat until-fail:10"
# A check is a script and its arguments, in one word.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# What runs inside the root, in order: one check script a line.
DEFAULT_CHECKS=(
  scripts/test.sh
  scripts/package-install-test.sh
  scripts/desktop-checks.sh
)
CHECKS=("$@")
[ ${#CHECKS[@]} -gt 0 ] || CHECKS=("${DEFAULT_CHECKS[@]}")

readonly suite=trixie
root=$(realpath -m "$KELVARO_BUILD/debian13-root")
source_dir=/root/kelvaro
mounted=()
running=

# Runs a step and prints how long it took, passed or failed.
step() {
  local name=$1 started=$SECONDS status=0
  shift
  "$@" || status=$?
  echo "debian13: $name: $((SECONDS - started)) s$([ $status -eq 0 ] || echo ", FAILED ($status)")"
  return $status
}

cleanup() {
  if [ -n "$running" ]; then
    kill -- "-$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
  fi
  # A daemon that a failed check left behind has left that process group,
  # but not the root: what still runs there was started from here.
  local process
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && kill "${process#/proc/}" 2>/dev/null
  done
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount --lazy "${mounted[i]}" || true
  done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The archive of the first "deb" line apt reads here; none is guessed.
mirror() {
  local uri
  uri=$(apt-get indextargets --format '$(REPO_URI)' 'Identifier: Packages' 2>/dev/null | head -n 1)
  if [ -z "$uri" ]; then
    echo "debian13: apt names no archive on this machine (apt-get indextargets lists none): add a \"deb\" source" \
      "and run apt-get update" >&2
    return 1
  fi
  echo "$uri"
}

make_root() {
  [ -f "$root/.complete" ] && return 0
  kelvaro_install_packages debootstrap
  # What an interrupted debootstrap left mounted there is not removed with it.
  rm -rf --one-file-system "$root"
  local archive
  archive=$(mirror) || return 1
  debootstrap --variant=minbase "$suite" "$root" "$archive" >"$KELVARO_BUILD/debian13-debootstrap.log" ||
    { tail -n 20 "$KELVARO_BUILD/debian13-debootstrap.log"; return 1; }
  touch "$root/.complete"
}

bind() {
  local target=$root$1
  mkdir -p "$target"
  mount --bind "$1" "$target"
  mounted+=("$target")
  mount --make-private "$target"
}

clone_tree() {
  # The clone is fetched again on every run and keeps its build folder, so a
  # second run only rebuilds what changed.
  local clone=$root$source_dir
  { [ -d "$clone/.git" ] || git clone --quiet --no-checkout "$KELVARO_ROOT" "$clone"; } &&
    git -C "$clone" fetch --quiet "$KELVARO_ROOT" HEAD &&
    git -C "$clone" checkout --quiet --force --detach FETCH_HEAD &&
    git -C "$clone" clean --quiet -fdx --exclude=/build
}

# Runs one check inside the root, in a process group of its own so that
# whatever it leaves behind on a failure is stopped with it.
inside() {
  setsid chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb CI="${CI:-}" CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" \
    bash -c 'cd "$1" && shift && exec bash "$@"' bash "$source_dir" "$@" &
  running=$!
  local status=0
  wait "$running" || status=$?
  running=
  return $status
}

step debootstrap make_root
cp /etc/resolv.conf "$root/etc/resolv.conf"
for path in /proc /sys /dev /dev/pts /dev/shm; do
  bind "$path"
done
step clone clone_tree
# Every check runs, whatever the one before it found.
failed=()
for check in "${CHECKS[@]}"; do
  # shellcheck disable=SC2086 # a check is a script and its arguments
  step "$check" inside $check || failed+=("$check")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "debian13: failed: ${failed[*]}"
  exit 1
fi
echo "debian13: all checks passed"
