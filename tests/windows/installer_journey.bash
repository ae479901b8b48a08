#!/usr/bin/env bash
# The installer's journey under Wine, as a user's machine goes through it:
# a silent install into Program Files; the installed ruler.exe, started on an
# X server of its own, keeping its settings per user; a silent uninstall that
# leaves nothing of the program behind, and the user's settings in place.
#
#   installer_journey.bash INSTALLER VERSION PREFIX
#
# PREFIX is made afresh for the journey, not shared with the other tests: the
# first Wine program of a wineserver decides for all the others whether
# windows reach an X server, and the core's tests run with none.
set -euo pipefail
installer=$1
version=$2
scripts=$(dirname "$0")/../../scripts
source "$(dirname "$0")/x_session.bash"
export WINEPREFIX=$3 WINEDEBUG=-all
# Without the menu builder, the shortcut does not become a menu entry of the
# machine's own desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"

program_pid=
finish()
{
    if [[ -n $program_pid ]]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w
    stop_x_session
}
trap finish EXIT
trap 'exit 1' INT TERM HUP

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to 30 seconds for a command to succeed.
wait_for()
{
    local attempt
    for ((attempt = 0; attempt < 300; ++attempt)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

unix_path()
{
    winepath -u "$1" 2>/dev/null
}

# The X server first: the prefix's first programs start the desktop that
# every later window goes through.
start_x_session
"$scripts/wine-prefix" "$WINEPREFIX" >/dev/null 2>&1 || fail "no Wine prefix in $WINEPREFIX"

program_files=$(unix_path 'C:\Program Files')
folder=$program_files/ruler
start_menu=$(unix_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')
shortcut=$start_menu/Ostrel屏幕刻度尺.lnk
settings_folder=$(unix_path "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")/ruler
settings=$settings_folder/ruler.ini
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\io.github.ostrel.Ruler'

[[ ! -e $folder ]] || fail "$folder is there before the install"
program_files_before=$(cd "$program_files" && find . | sort)

wine "$installer" /S
[[ -f $folder/ruler.exe && -f $folder/Uninstall.exe ]] ||
    fail "the install left $(ls -A "$folder" 2>/dev/null | tr '\n' ' ')in $folder"
[[ -f $shortcut ]] || fail "no shortcut $shortcut"
registered=$(wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r') ||
    fail "no uninstall entry $uninstall_key"
grep -q "DisplayVersion *REG_SZ *$version\$" <<<"$registered" ||
    fail "the uninstall entry does not give version $version:"$'\n'"$registered"
grep -q 'UninstallString *REG_SZ *"C:\\Program Files\\ruler\\Uninstall.exe"$' <<<"$registered" ||
    fail "the uninstall entry does not start Uninstall.exe:"$'\n'"$registered"

# The installed copy writes its first settings where the user's belong.
wine 'C:\Program Files\ruler\ruler.exe' >/dev/null 2>&1 &
program_pid=$!
wait_for grep -q '^Height=' "$settings" 2>/dev/null ||
    fail "the installed ruler.exe wrote no Height to $settings"
for key in ScaleMode Width Height; do
    grep -q "^$key=" "$settings" || fail "$settings holds no $key:"$'\n'"$(cat "$settings")"
done
[[ ! -e $folder/ruler.ini ]] || fail "the installed ruler.exe wrote settings beside itself"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=

# The uninstaller copies itself to a temporary folder, starts that copy and
# returns at once; the copy removes the folder last.
wine "$folder/Uninstall.exe" /S
wait_for test ! -e "$folder" || fail "the uninstall left $(ls -A "$folder" | tr '\n' ' ')in $folder"
program_files_after=$(cd "$program_files" && find . | sort)
[[ $program_files_after == "$program_files_before" ]] ||
    fail "the uninstall left behind in Program Files:"$'\n'"$(diff <(echo "$program_files_before") \
        <(echo "$program_files_after"))"
[[ ! -e $shortcut ]] || fail "the uninstall left $shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall left $uninstall_key"
[[ -f $settings ]] || fail "the uninstall removed the user's $settings"
echo "installed, ran with settings in $settings, uninstalled without a trace"
