# Wine end-to-end harness, sourced by every scenario in scenarios/.
# Each scenario gets a fresh folder with the built programs, a fresh copy of a
# prepared WINEPREFIX, its own Xvfb display and the virtual desktop "Default".
# It ends only the processes it started.
set -u

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_BUILD=${E2E_BUILD:-$E2E_ROOT/build/win64}
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$E2E_ROOT/build/e2e-artifacts}
E2E_TEMPLATE=${E2E_TEMPLATE:-$E2E_ROOT/build/e2e-prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

E2E_NAME=""
E2E_FAILS=0
E2E_PIDS=()
E2E_XVFB=""

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*" >&2; }

# Makes the template prefix once: one 1024x768 virtual desktop for every
# program, and the font link Windows has for Chinese text.
e2e_template() {
    [ -f "$E2E_TEMPLATE/.ready" ] && return 0
    rm -rf "$E2E_TEMPLATE"
    mkdir -p "$(dirname "$E2E_TEMPLATE")"
    local display_file; display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    local xpid=$!
    e2e_wait 10 test -s "$display_file"
    (
        export WINEPREFIX=$E2E_TEMPLATE DISPLAY=":$(cat "$display_file")"
        wineboot -i >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
        local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        local face
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Microsoft Sans Serif"; do
            wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
        done
        wineserver -w
    )
    kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null
    rm -f "$display_file"
    [ -f "$E2E_TEMPLATE/system.reg" ] || { echo "could not prepare the Wine prefix" >&2; return 1; }
    # Chinese glyphs: the font file where Wine's font search finds it.
    local wqy=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
    [ -f "$wqy" ] && cp "$wqy" "$E2E_TEMPLATE/drive_c/windows/Fonts/" 2>/dev/null
    touch "$E2E_TEMPLATE/.ready"
}

# e2e_begin NAME: fresh folder ($SC), prefix, display; copies the programs.
e2e_begin() {
    E2E_NAME=$1
    e2e_template || exit 2
    SC=$(mktemp -d "/tmp/zoram-e2e-$E2E_NAME.XXXX")
    mkdir -p "$E2E_ARTIFACTS"
    cp "$E2E_BUILD"/*.exe "$SC"/
    [ -f "$E2E_BUILD/GettingStarted.mtd" ] && cp "$E2E_BUILD/GettingStarted.mtd" "$SC"/
    export WINEPREFIX=$SC/prefix
    cp -a "$E2E_TEMPLATE" "$WINEPREFIX"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$SC/display" >/dev/null 2>&1 &
    E2E_XVFB=$!
    e2e_wait 10 test -s "$SC/display" || { e2e_log "Xvfb did not start"; exit 2; }
    export DISPLAY=":$(cat "$SC/display")"
    trap e2e_cleanup EXIT
    cd "$SC" || exit 2
    e2e_log "folder $SC display $DISPLAY"
}

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    [ -n "$E2E_XVFB" ] && kill "$E2E_XVFB" 2>/dev/null
    wait 2>/dev/null
    # Keep the logs beside the screenshots; drop the prefix copy.
    if [ -n "${SC:-}" ] && [ -d "$SC" ]; then
        local f
        for f in "$SC"/*.log "$SC"/*.ini "$SC"/*.txt; do
            [ -f "$f" ] && cp "$f" "$E2E_ARTIFACTS/$E2E_NAME-$(basename "$f")"
        done
        rm -rf "$SC"
    fi
}

# e2e_start PROGRAM [ARGS...]: starts a Windows program from $SC in the
# background; its process id is in $E2E_PID.
e2e_start() {
    wine "$@" >>"$SC/wine-output.txt" 2>&1 &
    E2E_PID=$!
    E2E_PIDS+=("$E2E_PID")
}

# e2e_stop PID: ends one process this scenario started.
e2e_stop() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

# e2e_running PID: true while the process lives.
e2e_running() { kill -0 "$1" 2>/dev/null; }

# e2e_wait SECONDS COMMAND...: polls until the command succeeds.
e2e_wait() {
    local limit=$1; shift
    local end=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.2
    done
}

# e2e_win ARGS...: runs wintool in the scenario's desktop; prints its output.
e2e_win() { wine "$SC/wintool.exe" "$@" 2>/dev/null | tr -d '\r'; }

e2e_window_visible() { e2e_win find "$@" | grep -q '^found 1 '; }
e2e_window_exists() { e2e_win find "$@" | grep -q '^found '; }

# Real input through the X server.
e2e_move() { xdotool mousemove "$1" "$2"; }
e2e_click() { xdotool click "$1"; }
e2e_key() { xdotool key "$@"; }
# e2e_drag BUTTON X1 Y1 X2 Y2 [STEPS]: press, move in steps, release.
e2e_drag() {
    local b=$1 x1=$2 y1=$3 x2=$4 y2=$5 steps=${6:-10} i
    xdotool mousemove "$x1" "$y1"; sleep 0.1
    xdotool mousedown "$b"; sleep 0.1
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove $((x1 + (x2 - x1) * i / steps)) $((y1 + (y2 - y1) * i / steps))
        sleep 0.03
    done
    sleep 0.1
    xdotool mouseup "$b"
}
# e2e_path BUTTON "X Y X Y ...": press at the first point, move through the rest.
e2e_path() {
    local b=$1; local -a p=($2)
    xdotool mousemove "${p[0]}" "${p[1]}"; sleep 0.1
    xdotool mousedown "$b"; sleep 0.1
    local i
    for ((i = 2; i < ${#p[@]}; i += 2)); do xdotool mousemove "${p[i]}" "${p[i + 1]}"; sleep 0.03; done
    sleep 0.1
    xdotool mouseup "$b"
}

# e2e_shot NAME: screenshot of the whole display into the artifacts folder.
e2e_shot() { import -window root "$E2E_ARTIFACTS/$E2E_NAME-$1.png" 2>/dev/null; }

# expect DESCRIPTION COMMAND...: one check; a failure marks the scenario failed.
expect() {
    local what=$1; shift
    if "$@"; then e2e_log "ok: $what"; else e2e_log "FAILED: $what"; E2E_FAILS=$((E2E_FAILS + 1)); fi
}

# e2e_finish: the scenario's exit status.
e2e_finish() {
    [ "$E2E_FAILS" -eq 0 ] && e2e_log "passed" || e2e_log "failed ($E2E_FAILS checks)"
    exit $((E2E_FAILS > 0))
}

# Log helpers for the target program's log.
log_has() { grep -q -- "$2" "$1" 2>/dev/null; }
log_count() { grep -c -- "$2" "$1" 2>/dev/null || true; }

# not COMMAND...: true when the command fails (for expect and e2e_wait).
not() { ! "$@"; }
e2e_ended() { ! kill -0 "$1" 2>/dev/null; }
# The window lines of wintool for CLASS TITLE, or nothing.
e2e_no_window() { ! e2e_window_exists "$@"; }
# log_after FILE MARK: the log's lines from the mark on.
log_after() { if [ -z "$2" ]; then cat "$1"; else sed -n "/^--- $2\$/,\$p" "$1"; fi; }
log_mark() { echo "--- $2" >> "$1"; }
# log_after_has FILE MARK PATTERN
log_after_has() { log_after "$1" "$2" | grep -q -- "$3"; }
# log_after_seq FILE MARK PATTERN: first two words of the matching lines, joined by spaces.
log_after_seq() { log_after "$1" "$2" | grep -E -- "$3" | awk '{print $1, $2}' | tr '\n' ' ' | sed 's/ $//'; }

# e2e_ini KEY=VALUE... [--exclude PATH...]: writes zoram.ini beside the program
# (version 1.41, no first-start flow, no update check unless given).
e2e_ini() {
    local -a main=(version=1.41 tutorialPrompt=0 autoCheck=0) excl=()
    local in_exclude=0 a
    for a in "$@"; do
        if [ "$a" = --exclude ]; then in_exclude=1
        elif [ $in_exclude = 1 ]; then excl+=("$a")
        else main+=("$a"); fi
    done
    {
        printf '[main]\r\n'
        printf '%s\r\n' "${main[@]}"
        if [ ${#excl[@]} -gt 0 ]; then
            printf '[exclude]\r\n'
            local i=0
            for a in "${excl[@]}"; do printf 'program%d=%s\r\n' $i "$a"; i=$((i + 1)); done
        fi
    } > zoram.ini
}

# e2e_set FILE.mtd: writes a set from the set text on standard input.
e2e_set() {
    cat > "$SC/$1.txt"
    "${E2E_MTDTOOL:-$E2E_ROOT/build/native/mtdtool}" build "$SC/$1.txt" "$SC/$1" >&2
}

# e2e_windows_path FILE: the path a Windows program in the scenario sees.
e2e_windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# e2e_stroke BUTTON STEPS "X Y X Y ...": presses at the first corner, moves
# along the straight lines through the others in STEPS moves per line, releases.
e2e_stroke() {
    local b=$1 steps=$2; local -a p=($3)
    xdotool mousemove "${p[0]}" "${p[1]}"; sleep 0.15
    xdotool mousedown "$b"; sleep 0.15
    e2e_stroke_moves "$steps" "${p[@]}"
    sleep 0.15
    xdotool mouseup "$b"
}
# e2e_stroke_moves STEPS X Y X Y ...: the moves of a stroke, no buttons.
e2e_stroke_moves() {
    local steps=$1; shift; local -a p=("$@")
    local i k
    for ((i = 2; i < ${#p[@]}; i += 2)); do
        for ((k = 1; k <= steps; k++)); do
            xdotool mousemove $((p[i - 2] + (p[i] - p[i - 2]) * k / steps)) $((p[i - 1] + (p[i + 1] - p[i - 1]) * k / steps))
            sleep 0.02
        done
    done
}

# e2e_zoram: starts zoram.exe and waits until its window exists.
e2e_zoram() {
    e2e_start zoram.exe
    ZORAM_PID=$E2E_PID
    e2e_wait 20 e2e_window_exists TgestureConfigForm Zoram
    sleep 0.5
}
# e2e_zoram_stop: closes Zoram as the tray's Exit does and waits for its end.
e2e_zoram_stop() {
    e2e_win close TgestureConfigForm Zoram >/dev/null
    e2e_wait 10 e2e_ended "$ZORAM_PID"
}

# e2e_pixel FILE.png X Y: the pixel's colour as "R,G,B".
e2e_pixel() { convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:; }

# e2e_ini_text [FILE]: the settings file as UTF-8 lines (Zoram may keep it in
# UTF-16 with a byte-order mark).
e2e_ini_text() {
    local f=${1:-zoram.ini}
    if [ "$(head -c 2 "$f" | od -An -tx1 | tr -d ' ')" = fffe ]; then iconv -f UTF-16 -t UTF-8 "$f"
    else cat "$f"; fi | tr -d '\r'
}
# e2e_ini_has PATTERN: a line of the settings file matches.
e2e_ini_has() { e2e_ini_text | grep -q -- "$1"; }

# e2e_action ACTION [ARGS...]: runs one action string through actionhost.exe
# (log in host.log) and waits until it is done.
e2e_action() {
    rm -f host.log
    e2e_start actionhost.exe --log host.log --action "$@"
    e2e_wait 30 log_has host.log DONE
}
