#!/usr/bin/env bash
# The real program on a virtual 1024x768 screen: answer the voice question with Escape, wait
# for the board, click the leave button and then yes. The program must end with code 0 and
# leave its settings file as it was. Skips (77) only without xvfb-run or xdotool.
set -u

readonly SKIP=77

if [ "${1:-}" = "--inside" ]; then
    # Runs under xvfb-run, in the copy of the program's directory.
    cd "$2" || exit 90
    say() { echo "e2e: $*" >&2; }
    # "W H" of every visible window of the program, one a line.
    sizes() {
        local w
        for w in $(xdotool search --onlyvisible --class kivola 2>/dev/null); do
            xdotool getwindowgeometry --shell "$w" 2>/dev/null |
                awk -F= '/^WIDTH/{w=$2} /^HEIGHT/{h=$2} END{print w, h}'
        done
    }
    ./kivola &
    pid=$!
    gone() { ! kill -0 "$pid" 2>/dev/null; }

    # The board is up when the full-screen window shows and the splash (400x300) has gone.
    ready=0
    for _ in $(seq 1 250); do
        gone && { say "the program ended during start-up"; wait "$pid"; exit 91; }
        box=$(xdotool search --onlyvisible --name "系统提示" 2>/dev/null | head -n 1)
        if [ -n "$box" ]; then
            xdotool windowfocus --sync "$box" key Escape 2>/dev/null || true
        fi
        now=$(sizes)
        if grep -qx "1024 768" <<<"$now" && ! grep -qx "400 300" <<<"$now"; then
            ready=1
            break
        fi
        sleep 0.1
    done
    [ "$ready" = 1 ] || { say "no board after 25 s"; kill "$pid"; exit 92; }
    sleep 0.3

    # The leave button: canvas at 112,84, button at 0,488 (96x112).
    xdotool mousemove 160 628 click 1
    shown=0
    for _ in $(seq 1 100); do
        gone && { say "the program ended before the exit window showed"; wait "$pid"; exit 93; }
        if grep -qx "400 300" <<<"$(sizes)"; then
            shown=1
            break
        fi
        sleep 0.1
    done
    [ "$shown" = 1 ] || { say "no exit window after 10 s"; kill "$pid"; exit 94; }
    sleep 0.3

    # The yes button: window 400x300 centred at 312,234, button at 80,160 (60x60).
    xdotool mousemove 422 424 click 1
    for _ in $(seq 1 100); do
        gone && break
        sleep 0.1
    done
    if ! gone; then
        say "still running 10 s after yes"
        kill "$pid"
        exit 95
    fi
    wait "$pid"
    exit $?
fi

command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run is missing: skipped"; exit $SKIP; }
command -v xdotool >/dev/null 2>&1 || { echo "xdotool is missing: skipped"; exit $SKIP; }
bin="${KIVOLA_BIN_DIR:-}"
if [ ! -x "$bin/kivola" ]; then
    echo "no program at $bin/kivola"
    exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/program"
cp "$bin/kivola" "$work/program/"
if [ -f "$bin/汉字库.db" ]; then
    cp "$bin/汉字库.db" "$work/program/"
fi
# A settings file as the program stores it (GBK, CR LF), with a child's name in it.
printf '[用户信息]\r\n用户姓名=小明\r\n' | iconv -f UTF-8 -t GBK >"$work/program/USERdat.ini"
cp "$work/program/USERdat.ini" "$work/settings-before"
before=$(ls -A "$work/program" | sort)

timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside "$work/program"
code=$?
echo "exit code $code"
if [ "$code" -ne 0 ]; then
    exit 1
fi
if ! cmp -s "$work/settings-before" "$work/program/USERdat.ini"; then
    echo "the settings file was changed"
    exit 1
fi
after=$(ls -A "$work/program" | sort)
if [ "$before" != "$after" ]; then
    echo "files appeared in the program's directory: $after"
    exit 1
fi
echo "ended with code 0, nothing written"
