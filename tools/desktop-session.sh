# Sourced by the checks that need a real desktop: installs the Debian
# packages they name when missing, and starts Xvfb with openbox on a display
# of the script's own, both ended when the script exits.
#   need_packages PACKAGE...
#   start_desktop FIRST_DISPLAY   (sets DISPLAY and work, a scratch folder)

need_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}

start_desktop() {
    work=$(mktemp -d)
    trap cleanup EXIT
    # A display picked by our PID, apart from those of other checks running at once.
    local display=$(($1 + $$ % 200))
    while [[ -e "/tmp/.X$display-lock" ]]; do display=$((display + 1)); done
    export DISPLAY=":$display"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    # A machine that has just installed the packages can be slow to start
    # either: wait up to a minute, and say so rather than go on without one.
    if ! wait_for 600 "the X server on $DISPLAY" xdpyinfo; then
        echo "FAIL  the X server did not start on $DISPLAY" >&2
        exit 1
    fi
    local attempt
    for attempt in 1 2; do
        openbox --sm-disable >/dev/null 2>&1 &
        pids+=($!)
        wait_for 600 "the window manager" window_manager_ready && return
        kill "${pids[-1]}" 2>/dev/null || true
    done
    echo "FAIL  the window manager did not start on $DISPLAY" >&2
    exit 1
}

# True once a window manager runs that can activate windows, as xdotool asks.
window_manager_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" &&
        xprop -root _NET_SUPPORTED 2>/dev/null | grep -q "_NET_ACTIVE_WINDOW"
}

# wait_for TENTHS WHAT COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; false, with a note, when it never did.
wait_for() {
    local tenths=$1 what=$2 i
    shift 2
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "note  $what was not ready after $((tenths / 10)) s" >&2
    return 1
}
