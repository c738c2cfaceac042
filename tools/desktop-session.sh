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
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
}
