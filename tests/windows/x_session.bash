# An X server of the calling script's own (Xvfb), with openbox on it when
# asked, for Wine programs that open windows. Sourced by bash scripts:
#
#   source x_session.bash
#   trap stop_x_session EXIT
#   start_x_session [--window-manager]     # exports DISPLAY
#
# Both are stopped by their PIDs, the window manager first.

x_session_pids=()
x_session_folder=

stop_x_session()
{
    local index
    for ((index = ${#x_session_pids[@]} - 1; index >= 0; --index)); do
        kill "${x_session_pids[index]}" 2>/dev/null || true
        wait "${x_session_pids[index]}" 2>/dev/null || true
    done
    x_session_pids=()
    if [[ -n $x_session_folder ]]; then
        rm -rf "$x_session_folder"
    fi
    x_session_folder=
}

# Waits up to ten seconds for a file to hold a whole line.
x_session_wait_for_line()
{
    local file=$1 line attempt
    for ((attempt = 0; attempt < 1000; ++attempt)); do
        if [[ -f $file ]] && read -r line <"$file"; then
            return 0
        fi
        sleep 0.01
    done
    return 1
}

start_x_session()
{
    x_session_folder=$(mktemp -d)
    # Xvfb picks a free display itself and writes its number: a number chosen
    # here could be taken by another session starting at the same moment.
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset \
        3>"$x_session_folder/display" >/dev/null 2>&1 &
    x_session_pids+=($!)
    if ! x_session_wait_for_line "$x_session_folder/display"; then
        echo "x_session: Xvfb gave no display number" >&2
        return 1
    fi
    DISPLAY=:$(<"$x_session_folder/display")
    export DISPLAY

    [[ ${1:-} == --window-manager ]] || return 0
    # openbox runs its startup command once it manages windows: a window
    # mapped before then may never be managed.
    openbox --sm-disable --startup "touch $x_session_folder/managing" >/dev/null 2>&1 &
    x_session_pids+=($!)
    local attempt
    for ((attempt = 0; attempt < 1000; ++attempt)); do
        [[ -e $x_session_folder/managing ]] && return 0
        sleep 0.01
    done
    echo "x_session: openbox did not start on $DISPLAY" >&2
    return 1
}
