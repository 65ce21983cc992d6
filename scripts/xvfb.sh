# Source it: makes sure DISPLAY names a live X display, starting a virtual one
# (Xvfb) when there is none. STARTED_XVFB is then its pid, else empty.
STARTED_XVFB=
if [[ -z ${DISPLAY:-} || ! -S /tmp/.X11-unix/X${DISPLAY#:} ]]; then
    for n in $(seq 90 130); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        STARTED_XVFB=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 200); do
            [[ -S /tmp/.X11-unix/X$n ]] && break
            sleep 0.05
        done
        [[ -S /tmp/.X11-unix/X$n ]] || { echo "xvfb: display :$n did not come up" >&2; exit 1; }
        break
    done
fi
