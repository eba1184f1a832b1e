#!/usr/bin/env bash
# Takes docs/screenshot.png: the built program on a 1024x768 virtual screen, once the splash
# has gone. Builds nothing: run `make build` first (BUILD=dir picks another build directory).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$root/${BUILD:-build}/bin"
out="$root/docs/screenshot.png"

if [ ! -x "$bin/kivola" ]; then
    echo "no program at $bin/kivola: build it first (make build)" >&2
    exit 1
fi
mkdir -p "$root/docs"

cd "$bin"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    out="$1"
    ./kivola &
    pid=$!
    # Without the voice "Microsoft Simplified Chinese" start-up first asks about the voice
    # installer; answer No.
    sleep 1.5
    box=$(xdotool search --name "系统提示" 2>/dev/null | head -n 1 || true)
    if [ -n "$box" ]; then
        xdotool windowfocus --sync "$box" key Escape || true
    fi
    # The splash goes about one second after start-up.
    sleep 3
    import -window root "$out"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' screenshot "$out"
echo "saved $out"
