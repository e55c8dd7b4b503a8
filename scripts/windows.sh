#!/usr/bin/env bash
# The Windows program, made and tested on Linux: installs what is missing, builds
# Qt's base module for Windows into its cache when it is not there
# (scripts/windows_qt.sh, about 45 minutes once), cross-builds the program and its
# tests into build-windows/, runs the tests under Wine, and makes
#   build-windows/interlock-service-<version>-win64.zip        (unpack and run)
#   build-windows/interlock-service-<version>-setup.exe        (installer)
#
#   bash scripts/windows.sh            everything
#   bash scripts/windows.sh build      the cross build only
#   bash scripts/windows.sh test       the tests under Wine (after a build)
#   bash scripts/windows.sh package    the zip and the installer, the installer's test and
#                                      the packed program's download against Linux's
#   bash scripts/windows.sh bench      the log download benchmark under Wine (20,000 records)
#   bash scripts/windows.sh line-test  without Qt: the link's tests and the Win32 COM
#                                      port against interlock-sim, into build-windows-line/
#
# Wine runs in a prefix of its own (build-windows/wine) with WINEDEBUG=-all.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="$root/build-windows"
step="${1:-all}"

version="$(sed -n 's/^project(interlock_service VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
export WINEPREFIX="$build/wine"
export WINEDEBUG=-all
mingw_gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name 2>/dev/null || echo /x)")"
mingw_lib=/usr/x86_64-w64-mingw32/lib

qt_cache() {
  bash scripts/windows_qt.sh | tail -1
}

# Where Wine looks for the DLLs of a program run from the build folder.
use_runtime_path() {
  export WINEPATH="$(winepath -w "$1/bin");$(winepath -w "$mingw_gcc");$(winepath -w "$mingw_lib")"
}

wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
  fi
  # Wine's server stays up between the test programs, its output in a file of its own:
  # it takes a simulator's pseudo-terminal as its controlling terminal, and the hang-up
  # when the simulator ends makes it print its whole object table. One already running
  # (status 2) serves as well.
  wineserver -p60 2>>"$build/wineserver.log" || true
}

do_build() {
  bash scripts/install_missing.sh g++-mingw-w64-x86-64-posix wine64 nsis googletest zip
  # The Linux build's simulator is the interlock of the Windows tests.
  bash scripts/setup.sh
  local qt
  qt="$(qt_cache)"
  # qt-cmake brings Qt's toolchain file, which loads ours after it.
  "$qt/bin/qt-cmake" -S . -B "$build" -G Ninja \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DINTERLOCK_LINUX_SIM="$root/build/src/sim/interlock-sim" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine_run.sh" >/dev/null
  cmake --build "$build"
}

do_test() {
  local qt
  qt="$(qt_cache)"
  wine_prefix
  use_runtime_path "$qt"
  # One at a time: the tests share the prefix's COM port names.
  ctest --test-dir "$build" --output-on-failure --timeout 600 -j 1
}

# The whole log download through the Win32 channel against the wire time, by the
# core alone and by the DOWNLOAD page.
do_bench() {
  local qt mode
  qt="$(qt_cache)"
  wine_prefix
  use_runtime_path "$qt"
  for mode in --core ""; do
    wine "$build/bench/download_bench.exe" --records 20000 $mode -platform offscreen 2>/dev/null
  done
}

# The DLLs a program needs from Qt and the MinGW runtime, found in their imports.
runtime_dlls() {
  local qt="$1" pending=("${@:2}") seen=" " file name dir
  while [ ${#pending[@]} -gt 0 ]; do
    file="${pending[0]}"
    pending=("${pending[@]:1}")
    for name in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
      case "$seen" in *" $name "*) continue ;; esac
      seen+="$name "
      for dir in "$qt/bin" "$mingw_gcc" "$mingw_lib"; do
        if [ -f "$dir/$name" ]; then
          echo "$dir/$name"
          pending+=("$dir/$name")
          break
        fi
      done
    done
  done
}

do_package() {
  local qt folder name
  qt="$(qt_cache)"
  name="interlock-service-$version-win64"
  folder="$build/$name"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$build/src/service/interlock-service.exe" "$build/src/service/interlock-service.com" \
    "$folder/"
  # The plugin set the build gathered, the one the tests ran with.
  cp -r "$build/qt-plugins/platforms" "$build/qt-plugins/styles" "$folder/"
  # Qt looks for plugins beside the program only, never in the Qt build's folders.
  printf '[Paths]\r\nPrefix = .\r\n' >"$folder/qt.conf"
  runtime_dlls "$qt" "$folder"/interlock-service.* "$folder"/platforms/*.dll \
    "$folder"/styles/*.dll | sort -u | xargs -r cp -t "$folder/"
  (cd "$build" && rm -f "$name.zip" && zip -qr "$name.zip" "$name")
  makensis -V2 -DVERSION="$version" -DSOURCE="$folder" \
    -DOUTFILE="$build/interlock-service-$version-setup.exe" \
    "$root/packaging/windows/interlock-service.nsi"
  echo "$build/$name.zip"
  echo "$build/interlock-service-$version-setup.exe"
  bash scripts/windows_install_test.sh "$build/interlock-service-$version-setup.exe"
  bash scripts/windows_download_test.sh "$folder/interlock-service.com"
}

# The Qt-free Windows tests: the link's core tests (with the Windows file replacement)
# and the Win32 COM port against the Linux build's interlock-sim over a pty.
do_line_test() {
  local line="$root/build-windows-line"
  bash scripts/install_missing.sh g++-mingw-w64-x86-64-posix wine64 googletest
  [ -x build/src/sim/interlock-sim ] || bash scripts/setup.sh
  cmake --build build --target interlock-sim
  cmake -S . -B "$line" -G Ninja -DINTERLOCK_WITH_QT=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DINTERLOCK_LINUX_SIM="$root/build/src/sim/interlock-sim" >/dev/null
  cmake --build "$line" --target link_tests serial_line_win_test
  export WINEPREFIX="$line/wine"
  wine_prefix
  export WINEPATH="$(winepath -w "$mingw_gcc");$(winepath -w "$mingw_lib")"
  local status=0 test
  for test in link_tests serial_line_win_test; do
    wine "$line/tests/link/$test.exe" </dev/null || status=1
  done
  return "$status"
}

case "$step" in
  build) do_build ;;
  test) do_test ;;
  package) do_package ;;
  bench) do_bench ;;
  line-test) do_line_test ;;
  # The files are made even when a test failed; the status still says it failed.
  all)
    do_build
    status=0
    do_test || status=$?
    do_package
    exit "$status"
    ;;
  *) echo "usage: $0 [build|test|package|bench|line-test|all]" >&2; exit 2 ;;
esac
