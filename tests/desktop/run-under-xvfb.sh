#!/usr/bin/env bash
# Runs a command ("$@") on a private X server: Xvfb on a free display with
# openbox as the window manager. Everything started here is stopped on exit;
# the command's exit status is passed on. ORVANEL_XVFB_SCREEN sets the
# screen (1280x1024x24 unless given), ORVANEL_XVFB_DISPLAYS the display
# numbers tried ("90 120" unless given: the first and the last).
set -u

xvfb_pid=""
wm_pid=""
work=$(mktemp -d)
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Polls a command every 0.1 s for at most $1 tenths of a second.
wait_until() {
    local tries=$1
    shift
    while [ "$tries" -gt 0 ]; do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# Ours once it answers and holds the display's lock: another run may have
# taken the number at the same moment, and then our Xvfb has exited.
ours() {
    [ "$(tr -d ' ' <"/tmp/.X$1-lock" 2>/dev/null)" = "$xvfb_pid" ] && xdpyinfo -display ":$1"
}

display=""
for n in $(seq ${ORVANEL_XVFB_DISPLAYS:-90 120}); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${ORVANEL_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do  # 10 s at most
        kill -0 "$xvfb_pid" 2>/dev/null || break
        if ours "$n" >/dev/null 2>&1; then
            display=":$n"
            break 2
        fi
        sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
done
if [ -z "$display" ]; then
    echo "run-under-xvfb: could not start Xvfb" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

export DISPLAY=$display
unset WAYLAND_DISPLAY XAUTHORITY SESSION_MANAGER
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export ORVANEL_PRIVATE_X=1  # the desktop tests refuse to run without it

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
if ! wait_until 100 wm_ready; then
    echo "run-under-xvfb: openbox did not start" >&2
    cat "$work/openbox.log" >&2
    exit 1
fi

"$@"
