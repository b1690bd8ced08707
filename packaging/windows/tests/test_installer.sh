#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix of its own: a silent install puts the files,
# the Start menu shortcut and the registry entries in place; the folder verb's command, run as
# Explorer runs it, opens the main window on that folder; a silent uninstall takes everything
# away again and leaves the user's settings alone.
#   test_installer.sh <kestro.exe> <window_probe.exe> <source folder> <work folder>
# Exit status 77 (skipped) when makensis or Wine is not installed.
set -euo pipefail
kestro_exe=$1 probe_exe=$2 source=$3 work=$4

for tool in makensis wine wineboot wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (Debian: apt-get install nsis wine wine64)"
    exit 77
  fi
done

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work/stage"
cp "$kestro_exe" "$work/stage/kestro.exe"
cp "$source/docs/manual.htm" "$work/stage/manual.htm"
cp "$source/packaging/windows/README.txt" "$work/stage/README.txt"
setup="$work/kestrovane-setup.exe"
makensis -V1 -DVERSION=1.0.0 -DSTAGE="$work/stage" -DICON="$source/packaging/windows/kestrovane.ico" \
  -DOUTFILE="$setup" "$source/packaging/windows/kestrovane.nsi"

# Wine's menu builder would copy the shortcut into this machine's own desktop menus.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
# The prefix's copy goes at the end (the snapshots stay, to read after a failure).
trap 'wineserver --kill >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
# A new prefix takes Wine half a minute to set up: one is set up once, beside the work folder,
# and never installed into; each run starts from a copy of it.
template="$work-template"
if [ ! -f "$template/system.reg" ]; then
  rm -rf "$template"
  WINEPREFIX="$template" wineboot --init >/dev/null 2>&1
  WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
    >/dev/null 2>&1
  # Windows always has the user's classes key; a new Wine prefix has not, and would count it
  # among what the install left behind.
  WINEPREFIX="$template" wine reg add 'HKCU\Software\Classes' /f >/dev/null 2>&1
  WINEPREFIX="$template" wineserver --wait
fi
cp -a "$template" "$WINEPREFIX"

# What the prefix holds: its files (less the temporary ones) and its registry keys (less the
# time each was written), written to disk when the server ends.
snapshot() {
  wineserver --wait
  (cd "$WINEPREFIX" && find drive_c -path '*/Temp' -prune -o -print | sort)
  sed -n 's/^\(\[.*\]\) [0-9]*$/\1/p' "$WINEPREFIX/user.reg" | sort
}
snapshot >"$work/before.txt"

wine "$setup" /S
wineserver --wait
user_dir=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Kestrovane 2>/dev/null | head -n 1)
[ -n "$user_dir" ] || fail "nothing installed under %LOCALAPPDATA%\\Programs\\Kestrovane"
for file in kestro.exe manual.htm README.txt uninstall.exe; do
  [ -f "$user_dir/$file" ] || fail "$file not installed"
done
ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/Kestrovane.lnk \
  >/dev/null || fail "no Start menu shortcut"

# The install's keys, read once: "<key>" lines, then "<value> REG_<type> <data>" lines.
keys=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrovane' |
  tr -d '\r')
verb_keys=$(wine reg query 'HKCU\Software\Classes\Directory\shell\Kestrovane' /s | tr -d '\r')
value() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$2" | head -n 1; }
for expected in 'DisplayName=Kestrovane' 'DisplayVersion=1.0.0' 'Publisher=Vintrellos' \
  'NoModify=0x1' 'NoRepair=0x1'; do
  found=$(value "${expected%%=*}" "$keys")
  [ "$found" = "${expected#*=}" ] || fail "${expected%%=*} is '$found', not '${expected#*=}'"
done
[[ "$(value UninstallString "$keys")" == *'\uninstall.exe"' ]] || fail "no UninstallString"
[ "$(value '(Default)' "$verb_keys")" = 'Rename with Kestrovane' ] ||
  fail "the folder verb is not named \"Rename with Kestrovane\""
command=$(sed -n '/\\command$/,$p' <<<"$verb_keys" | sed -n 's/^ *(Default) *REG_SZ *//p')
[[ "$command" == *'kestro.exe" --window "%V"' ]] || fail "the folder verb's command is '$command'"

# Explorer puts the folder for %V (or %1) and starts the whole line.
mkdir -p "$WINEPREFIX/drive_c/Holiday Photos/Beach 2024"
touch "$WINEPREFIX/drive_c/Holiday Photos/IMG_0001.JPG"
line=${command//%V/C:\\Holiday Photos}
line=${line//%1/C:\\Holiday Photos}
seen=$(wine "$probe_exe" "$line" | tr -d '\r') || fail "the folder verb's command did not open the window"
grep -qx 'List1: Beach 2024' <<<"$seen" || fail "the window does not list the folder's sub-directories: $seen"
grep -qx 'List2: IMG_0001.JPG' <<<"$seen" || fail "the window does not list the folder's files: $seen"
rm -rf "$WINEPREFIX/drive_c/Holiday Photos"
wine reg query 'HKCU\Software\Vintrellos\Kestrovane' >/dev/null ||
  fail "the program kept no settings (the uninstall check below needs them)"

wine "$user_dir/uninstall.exe" /S
snapshot >"$work/after.txt"
[ ! -e "$user_dir" ] || fail "the uninstall left $user_dir"
# The settings are the user's: a silent uninstall keeps them; everything else is as before.
grep -q 'Vintrellos\\\\Kestrovane' "$work/after.txt" || fail "the uninstall removed the user's settings"
grep -v 'Vintrellos' "$work/after.txt" | diff "$work/before.txt" - ||
  fail "the uninstall did not leave the prefix as it was before the install"
echo "installer: installed, opened a folder from its Explorer verb and uninstalled cleanly"
