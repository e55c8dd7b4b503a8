#!/usr/bin/env bash
# Builds the Debian package from a configured build folder (BUILD_DIR, default
# build) and checks it without installing it: lintian finds no error and no warning,
# its Depends, its files, its changelog's version, the desktop entry, and that both
# programs start from the unpacked package.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
bash scripts/install_missing.sh lintian

cmake --build "$build" --target interlock-service interlock-sim package_docs
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/interlock-service_*.deb | head -n 1)"
echo "package: $deb"

fail() { echo "package check failed: $*" >&2; exit 1; }
lintian --fail-on error,warning "$deb" || fail "lintian reports the tags above"
info="$(dpkg-deb -I "$deb")"
files="$(dpkg-deb -c "$deb")"
for dependency in libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
  grep -q "Depends:.*$dependency" <<<"$info" || fail "Depends lacks $dependency"
done
# Only Qt's LGPL modules: no other Qt library (Qt Charts is GPL-only) may be needed.
for library in $(grep -oE 'libqt6[a-z0-9-]+' <<<"$info" | sort -u); do
  case "$library" in
    libqt6core6* | libqt6gui6* | libqt6widgets6* | libqt6serialport6*) ;;
    *) fail "Depends names $library, not one of Qt's LGPL modules the program uses" ;;
  esac
done
for file in ./usr/bin/interlock-service ./usr/bin/interlock-sim \
            ./usr/share/applications/interlock-service.desktop \
            ./usr/share/icons/hicolor/scalable/apps/interlock-service.svg \
            ./usr/share/doc/interlock-service/copyright \
            ./usr/share/doc/interlock-service/changelog.gz \
            ./usr/share/man/man1/interlock-service.1.gz ./usr/share/man/man1/interlock-sim.1.gz; do
  grep -q " $file\$" <<<"$files" || fail "$file missing"
done
version="$(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-parsechangelog -l packaging/changelog -S Version)" = "$version" ] ||
  fail "packaging/changelog has no entry for version $version"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/interlock-service.desktop"
"$unpacked/usr/bin/interlock-sim" --help >/dev/null
# The program with the simulator beside it, on the offscreen platform: the login
# window must be up (its start trace written) and still running after two seconds.
status=0
trace="$(cd "$unpacked" && HOME="$unpacked" QT_QPA_PLATFORM=offscreen INTERLOCK_TRACE=1 \
  timeout 2 "$unpacked/usr/bin/interlock-service" --demo 2>&1)" || status=$?
[ "$status" -eq 124 ] || fail "interlock-service --demo ended with status $status"
grep -q "fn_Load_User" <<<"$trace" || fail "interlock-service --demo did not open its window"
echo "package checks passed"
