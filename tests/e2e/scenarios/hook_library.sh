# MouseCore.dll driven through its exports: what it swallows, what it
# reports, and what it lets through.
source "$(dirname "$0")/../lib.sh"
e2e_begin hook_library
cp "$E2E_BUILD/MouseCore.dll" .

e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400 --dblclks
e2e_wait 20 log_has target.log READY

# host MODE...: starts hookhost with a fresh log and waits until it hooked.
host() {
    rm -f host.log
    e2e_start hookhost.exe --log host.log "$@"
    e2e_wait 20 log_has host.log READY
}
host_stop() {
    e2e_win close TgestureConfigForm hookhost >/dev/null
    e2e_wait 10 log_has host.log 'CALL UnHookMouse'
    sleep 0.3
}
mark() { log_mark target.log "$1"; }
seen() { log_after_has target.log "$1" "$2"; }
seq_is() { [ "$(log_after_seq "$1" "$2" "$3")" = "$4" ]; }

host --trap right
mark drag
e2e_drag 3 200 200 400 260 12
sleep 0.5
e2e_shot right-trapped
expect "right drag: no right-button message reached the target" not seen drag RBUTTON
expect "right drag: moves passed to the target" seen drag WM_MOUSEMOVE
expect "right drag: reports 0204 then 0205" seq_is host.log "" '^REPORT 020[45]' 'REPORT 0204 REPORT 0205'

mark dbl
e2e_move 300 180; xdotool click --repeat 2 --delay 80 3; sleep 0.5
expect "fast double right click: the second press arrives as a double click" seen dbl WM_RBUTTONDBLCLK
expect "fast double right click: no plain press reached the target" not seen dbl WM_RBUTTONDOWN
host_stop

host --trap right --hide
mark hidden
e2e_drag 3 200 200 420 300 12
sleep 0.5
expect "hidden movement: no move reached the target during the drag" not seen hidden WM_MOUSEMOVE
expect "hidden movement: the moves were reported" log_has host.log '^REPORT 0200 0'
expect "hidden movement: press and release reported" seq_is host.log "" '^REPORT 020[45]' 'REPORT 0204 REPORT 0205'
host_stop

host --trap middle
mark middle
e2e_move 320 200; e2e_click 3; sleep 0.5
expect "middle trapped: a right click reaches the target unchanged" \
    seq_is target.log middle 'RBUTTON' 'main WM_RBUTTONDOWN main WM_RBUTTONUP'
mark middleclick
e2e_click 2; sleep 0.5
expect "middle trapped: the middle click is swallowed" not seen middleclick MBUTTON
expect "middle trapped: reports 0207 then 0208" seq_is host.log "" '^REPORT 020[78]' 'REPORT 0207 REPORT 0208'
e2e_shot middle-trapped
host_stop
e2e_finish
