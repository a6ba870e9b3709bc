#!/usr/bin/env bash
# The Debian package's round, as a user's machine meets it: builds it (scripts/package.sh) and a
# rebuild with a higher version, installs the first with apt, runs the lab against the installed
# files (the service started by hand: no systemd here), upgrades to the rebuild while connected,
# purges while connected, then checks that nothing of ours is left on the machine but the group.
# Needs root; a machine with the package already installed is left alone (exit 77).
#   scripts/check-package.sh [SCREENSHOT_FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
shots="${1:-$build/tests/lab/screenshots-package}"
[ "$(id -u)" -eq 0 ] || { echo "skipped: the package round needs root"; exit 77; }
if dpkg-query -W -f='${db:Status-Status}' corvalink 2>/dev/null | grep -qvx not-installed; then
  echo "skipped: corvalink is installed on this machine, and stays as it is"
  exit 77
fi

work="$(mktemp -d)"
installed=""
cleanup() {
  [ -z "$installed" ] || apt-get purge -y -q corvalink >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "check-package.sh: $*" >&2
  exit 1
}

version="$(sed -n 's/^project(Corvalink VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
# The project's version last: the build is left configured as a plain one.
PACKAGE_DIR="$work/rebuild" "$root/scripts/package.sh" "$version+rebuild1" >/dev/null
PACKAGE_DIR="$work/first" "$root/scripts/package.sh" >/dev/null
first="$(echo "$work"/first/corvalink_*.deb)"
rebuild="$(echo "$work"/rebuild/corvalink_*.deb)"

# What the machine looked like before: a purge must give it back.
resolv_before="$(sha256sum </etc/resolv.conf)"
tables_before="$(nft list tables 2>/dev/null || true)"

export DEBIAN_FRONTEND=noninteractive
installed=1
apt-get install -y -q --no-install-recommends "$first" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "apt-get install failed"; }
getent group corvalink >/dev/null || fail "the package made no group corvalink"
grep -q "adduser USER corvalink" "$work/install.log" ||
  fail "the first installation did not say how to add a user to the group"
dpkg-query -L corvalink | sort >"$work/files"
echo "installed $(dpkg-deb -f "$first" Package) $(dpkg-deb -f "$first" Version);" \
  "the lab runs against /usr/lib/corvalink"

status=0
LAB_INSTALLED=1 LAB_PACKAGE_UPGRADE="$rebuild" BUILD_DIR="$build" \
  QTEST_FUNCTION_TIMEOUT=900000 bash "$root/tests/lab/run-lab-tests.sh" \
  "$build/tests/lab/lab_tests" "$shots" eachProtocolCarriesTraffic \
  killedClientIsRepairedAtTheNextStart \
  "restartedServiceReconnectsWithTheKillSwitchHeld:package upgraded" \
  purgedPackageLiftsProtection || status=$?
[ $status -eq 0 ] || fail "the lab round against the installed package failed ($status)"
if grep -q "adduser USER corvalink" "$shots/logs/lab/package.log" 2>/dev/null; then
  fail "the upgrade repeated the message about the group"
fi

# The purge happened in the lab; nothing of ours may remain but the group.
installed=""
case "$(dpkg-query -W -f='${db:Status-Status}' corvalink 2>/dev/null || true)" in
  "" | not-installed) ;;
  *) fail "dpkg still knows corvalink after the purge" ;;
esac
left=()
while read -r path; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  # Folders the package shares with others (/usr/share/doc and the like) stay.
  [ -d "$path" ] && [[ "$path" != *corvalink* ]] && continue
  left+=("$path")
done <"$work/files"
for path in /run/corvalink /etc/corvalink /lib/systemd/system/corvalink-vpn-service.service; do
  [ -e "$path" ] && left+=("$path")
done
[ ${#left[@]} -eq 0 ] || fail "left after the purge: ${left[*]}"
getent group corvalink >/dev/null || fail "the purge removed the group corvalink"
[ "$(sha256sum </etc/resolv.conf)" = "$resolv_before" ] || fail "/etc/resolv.conf changed"
[ "$(nft list tables 2>/dev/null || true)" = "$tables_before" ] || fail "nft's tables changed"
echo "check-package.sh: installed, ran the lab, upgraded while connected, purged clean"
