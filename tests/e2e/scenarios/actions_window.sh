# "maximise window", "minimise window" and "restore window" change the target
# window's state; "restore window" toggles between normal and maximised and
# brings a minimised window back. BringToForeground restores a minimised window.
source "$(dirname "$0")/../lib.sh"
e2e_begin actions_window

e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY

# run_action MARK ACTION [ARGS...]: one action after a log mark.
run_action() {
    local mark=$1 action=$2; shift 2
    log_mark target.log "$mark"
    e2e_action "$action" "$@"
    e2e_wait 5 log_after_has target.log "$mark" '^SIZE '
    sleep 0.3
}
state_after() { log_after target.log "$1" | grep '^SIZE ' | tail -n 1 | awk '{print $2}'; }
state_is() {
    local got; got=$(state_after "$1")
    [ "$got" = "$2" ] || { e2e_log "$1: window is '$got'"; return 1; }
}

run_action max "@Special: maximise window" --no-foreground
expect "maximise window: maximised" state_is max maximized
e2e_shot maximised

run_action restore1 "@Special: restore window" --no-foreground
expect "restore window on a maximised window: normal" state_is restore1 restored
e2e_shot restored

run_action restore2 "@Special: restore window" --no-foreground
expect "restore window on a normal window: maximised" state_is restore2 maximized

run_action min "@Special: minimise window" --no-foreground
expect "minimise window: minimised" state_is min minimized
e2e_shot minimised

run_action restore3 "@Special: restore window" --no-foreground
expect "restore window on a minimised window: back as it was" state_is restore3 maximized

run_action restore4 "@Special: restore window" --no-foreground
expect "restore window again: normal" state_is restore4 restored

run_action min2 "@Special: minimise window" --no-foreground
expect "minimised again" state_is min2 minimized
# An empty action does nothing; the host still brings the target forward.
run_action fore ""
expect "BringToForeground restored the minimised window" state_is fore restored
expect "BringToForeground made it the foreground window" log_has host.log 'FOREGROUND 1'
e2e_shot foreground
e2e_finish
