# A keystroke script that stops early (an unclosed "{", a bad repeat count)
# leaves no modifier key down in the system.
source "$(dirname "$0")/../lib.sh"
e2e_begin actions_stuck_keys

e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY

# run_action MARK ACTION [ARGS...]
run_action() {
    local mark=$1 action=$2; shift 2
    log_mark target.log "$mark"
    e2e_action "$action" "$@"
    sleep 0.3
    cp host.log "host-$mark.log"
}
keys_down_in_host() { grep '^KEYSDOWN' host.log | cut -c9- | sed 's/^ //'; }
host_saw_none() {
    local got; got=$(keys_down_in_host)
    [ -z "$got" ] || { e2e_log "keys down: $got"; return 1; }
}
system_sees_none() {
    local got; got=$(e2e_win keys | tr '\n' ' ')
    [ -z "$got" ] || { e2e_log "GetAsyncKeyState: $got"; return 1; }
}
after_has() { log_after_has target.log "$1" "$2"; }

# First show that the look would see a key left down.
run_action control "" --hold 16
expect "control: a held Shift is seen" [ "$(keys_down_in_host)" = "16 160" ]

# Ctrl and Shift are held by the groups when the script stops at "{".
run_action unclosed "@Keystrokes: [ctrl:[shift:ab{enter"
expect "unclosed: the keys before the stop were sent with Ctrl" after_has unclosed 'WM_KEYDOWN 42 '
expect "unclosed: Enter was not sent" not after_has unclosed 'WM_KEYDOWN 0D '
expect "unclosed: Ctrl and Shift were let go" after_has unclosed 'WM_KEYUP 11 '
expect "unclosed: no key down right after the script" host_saw_none
expect "unclosed: GetAsyncKeyState sees no key down" system_sees_none

# Alt is held by its group when a bad count stops the script.
run_action badcount "@Keystrokes: [alt:x{tab x}y]"
expect "bad count: y was not sent" not after_has badcount 'KEYDOWN 59 '
expect "bad count: no key down right after the script" host_saw_none
expect "bad count: GetAsyncKeyState sees no key down" system_sees_none

# A completed script with a group never closed lets go at its end.
run_action opengroup "@Keystrokes: [shift:abc"
expect "open group: the letters came shifted" after_has opengroup 'WM_CHAR 0043'
expect "open group: no key down right after the script" host_saw_none
expect "open group: GetAsyncKeyState sees no key down" system_sees_none
e2e_shot after-scripts
e2e_finish
