#!/usr/bin/env bash
# The installer under Wine: installs silently, the installed program starts to its
# login window (offscreen), and the uninstaller removes it again.
#   bash scripts/windows_install_test.sh build-windows/interlock-service-<version>-setup.exe
set -euo pipefail
cd "$(dirname "$0")/.."
setup="$(realpath "$1")"
export WINEPREFIX="${WINEPREFIX:-$PWD/build-windows/wine}"
export WINEDEBUG=-all
unset WINEPATH # the installed program brings its own DLLs
fail() { echo "installer test: $*" >&2; exit 1; }

wine "$setup" /S
wineserver -w
folder="$(winepath -u 'C:\Program Files\Interlock service')"
menu="$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Interlock service')"
[ -f "$folder/interlock-service.exe" ] || fail "no program in $folder"
[ -f "$folder/interlock-service.com" ] || fail "no console program in $folder"
[ -f "$folder/platforms/qwindows.dll" ] || fail "no windows platform plugin"
[ -f "$menu/Interlock service.lnk" ] || fail "no Start-menu entry in $menu"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\interlock-service' \
  /v DisplayVersion >/dev/null 2>&1 || fail "not listed among the installed programs"

# Both programs (the Start-menu entry and its console twin) run until closed, their
# login window open.
log="$(mktemp)"
for program in interlock-service.com interlock-service.exe; do
  status=0
  INTERLOCK_TRACE=1 timeout 20 wine "$folder/$program" -platform offscreen 2>"$log" || status=$?
  wineserver -k || true
  [ "$status" -eq 124 ] || { cat "$log" >&2; fail "$program ended with status $status"; }
  grep -q 'Interlock Main Start!!' "$log" ||
    { cat "$log" >&2; fail "$program did not open its login window"; }
done
rm -f "$log"

wine "$folder/uninstall.exe" /S
wineserver -w
# The uninstaller copies itself away and runs from there; give it a moment.
for _ in $(seq 1 30); do [ -e "$folder/interlock-service.exe" ] || break; sleep 1; done
[ ! -e "$folder/interlock-service.exe" ] || fail "the uninstaller left the program"
[ ! -e "$menu" ] || fail "the uninstaller left the Start-menu entry"
echo "installer test passed: installs silently, starts to its login window, uninstalls"
