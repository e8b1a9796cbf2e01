#!/usr/bin/env bash
# Start-up time of LumoraPlayer to a shown main window: starts the program RUNS times
# (default 10) from a scratch application directory, polls for a visible window titled
# "<scheme> - Lumora" and prints every run and the median in milliseconds.
# Usage: bench-startup.sh PATH/TO/LumoraPlayer [RUNS]
# Without a display it runs itself under xvfb-run.
set -euo pipefail
player="$(realpath -- "${1:?usage: bench-startup.sh PATH/TO/LumoraPlayer [RUNS]}")"
runs="${2:-10}"

if [ -z "${DISPLAY:-}" ]; then
    # -noreset: a server resetting after its last client leaves refuses the next start now and then.
    exec xvfb-run -a -s "-noreset -screen 0 1920x1080x24" "$0" "$player" "$runs"
fi
command -v xdotool >/dev/null || { echo "bench-startup: xdotool is missing" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A copy of its own, so setting.ini and the recovery copy land in the scratch directory.
cp "$player" "$work/LumoraPlayer"
printf '[General]\nCloseType=normal\n' > "$work/setting.ini"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

times=()
for ((i = 1; i <= runs; i++)); do
    start=$(now_ms)
    "$work/LumoraPlayer" >/dev/null 2>&1 &
    pid=$!
    shown=""
    while [ -z "$shown" ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "bench-startup: LumoraPlayer exited before showing its window" >&2
            exit 1
        fi
        if [ $(( $(now_ms) - start )) -gt 20000 ]; then
            echo "bench-startup: no window after 20 s" >&2
            kill "$pid"
            exit 1
        fi
        shown="$(xdotool search --onlyvisible --name ' - Lumora$' 2>/dev/null || true)"
    done
    elapsed=$(( $(now_ms) - start ))
    times+=("$elapsed")
    echo "run $i: ${elapsed} ms"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # The next start must find the single-instance key free and no window left.
    while xdotool search --onlyvisible --name ' - Lumora$' >/dev/null 2>&1; do sleep 0.05; done
done

median="$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { if (NR % 2) print a[(NR + 1) / 2]; else print int((a[NR / 2] + a[NR / 2 + 1]) / 2) }')"
echo "start-up to shown main window: median ${median} ms over ${runs} runs"
