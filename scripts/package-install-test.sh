#!/usr/bin/env bash
# The Debian package built from this tree on this release, installed with apt
# as a user would (apt fetches the libraries its dependencies name), and the
# program started from /usr/bin. The package is removed again afterwards unless
# it was installed before.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

kelvaro_install_packages
[ -f "$KELVARO_BUILD/build.ninja" ] || kelvaro_build -DKELVARO_BUILD_TESTS=OFF
cmake --build "$KELVARO_BUILD" --target tabrinex
work=$KELVARO_BUILD/package-install
check() { bash "$KELVARO_ROOT/tests/desktop/package.sh" "$@"; }

check build "$KELVARO_BUILD" "$work"
if ! dpkg-query -W -f='${Status}' kelvaro 2>/dev/null | grep -q "install ok installed"; then
  trap 'DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 remove -y -qq kelvaro >/dev/null' EXIT
fi
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq "$(realpath "$work"/out/*.deb)" >/dev/null
echo "installed: $(dpkg-query -W -f='${Package} ${Version}, depends on ${Depends}' kelvaro)"
check starts "$work" /usr/bin/tabrinex
