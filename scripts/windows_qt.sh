#!/usr/bin/env bash
# Builds Qt's base module for 64-bit Windows (MinGW-w64) from Debian's qt6-base source
# into a cache outside the repository, once: the Windows build links against it.
# Prints the cache folder. QT_WIN_CACHE overrides where the cache lives.
# With --check it builds nothing: it prints the folder and succeeds only when the
# cache is there.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

qt_version="$(dpkg-query -W -f '${Version}' qt6-base-dev 2>/dev/null | sed 's/[-+].*//')"
[ -n "$qt_version" ] || qt_version=6.4.2
flags=(-DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
       -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF
       -DFEATURE_tabletevent=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
       -DFEATURE_direct2d=OFF)
# The cache is keyed by the Qt version and the configure flags.
key="$(printf '%s\n' "${flags[@]}" | sha256sum | cut -c1-8)"
cache="${QT_WIN_CACHE:-$HOME/.cache/interlock-service/qt-$qt_version-mingw-$key}"
if [ -x "$cache/bin/qt-cmake" ]; then
  echo "$cache"
  exit 0
fi
[ "${1:-}" = "--check" ] && exit 1

bash scripts/install_missing.sh dpkg-dev cmake ninja-build g++-mingw-w64-x86-64-posix \
  qt6-base-dev qt6-base-dev-tools >&2

# The source comes from the archive the machine already uses, as a deb-src entry.
sources=/etc/apt/sources.list.d/interlock-qt-source.sources
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  uri="$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)"
  suite="$(sed -n 's/^Suites: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)"
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "${uri:-http://deb.debian.org/debian}" "${suite:-bookworm}" | $sudo tee "$sources" >/dev/null
  $sudo apt-get update -qq >&2
fi

work="$cache.work"
mkdir -p "$work"
if [ ! -d "$work/src" ]; then
  (cd "$work" && apt-get source -qq qt6-base >&2)
  mv "$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)" "$work/src"
fi
# Qt 6.4 builds its DirectWrite font engine and database only with Direct2D, which is
# off here, yet the Windows print engine and platform plugin still use them when
# DirectWrite is found: those uses are left out with them, or neither links.
for file in src/printsupport/platform/windows/qprintengine_win.cpp \
    src/plugins/platforms/windows/qwindowsintegration.cpp; do
  sed -i 's/^#if QT_CONFIG(\(directwrite3\?\))$/#if QT_CONFIG(\1) \&\& QT_CONFIG(direct2d)/' \
    "$work/src/$file"
done
cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$cache" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${flags[@]}" >&2
cmake --build "$work/build" >&2
cmake --install "$work/build" >&2
rm -rf "$work"
echo "$cache"
