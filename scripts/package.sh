#!/usr/bin/env bash
# Builds the Debian package from this tree: the build (scripts/build.sh, into build/ or
# $BUILD_DIR), then CPack, then lintian, which must find no error and no warning that the
# package's overrides do not explain. The package lands in dist/ (or $PACKAGE_DIR).
#   scripts/package.sh [VERSION]   the project's version unless given (a rebuild to upgrade to)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="${BUILD_DIR:-$root/build}"
out="${PACKAGE_DIR:-$root/dist}"
version="${1:-}"
if [ -n "$version" ] && ! [[ "$version" =~ ^[0-9][A-Za-z0-9.+~]*$ ]]; then
  echo "package.sh: '$version' is not a version Debian takes for a native package" >&2
  exit 2
fi

"$root/scripts/build.sh" -DCORVALINK_INSTALL_DIR=/usr/lib/corvalink \
  -DCORVALINK_PACKAGE_VERSION="$version"
mkdir -p "$out"
# CPack's own folder is thrown away each time: nothing of an earlier package's files remains.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log") || {
  cat "$work/cpack.log" >&2
  exit 1
}
deb="$(find "$work" -maxdepth 1 -name 'corvalink_*.deb' -print -quit)"
[ -n "$deb" ] || { echo "package.sh: CPack made no package" >&2; exit 1; }
mv -f "$deb" "$out/"
deb="$out/$(basename "$deb")"
appstreamcli validate --no-net "$build/install-files/"*.metainfo.xml >/dev/null
lintian --fail-on error,warning "$deb" 2> >(grep -v "running with root privileges" >&2)
echo "$deb"
