# An excluded program gets its mouse input untouched while gestures work
# over other programs; the idle timeout hands a held press back.
source "$(dirname "$0")/../lib.sh"
e2e_begin exclusion_idle
cp target.exe other.exe
e2e_set gestures.mtd <<EOF2
gesture down-right
action @Keystrokes: hello
stroke 0,0 0,100 100,100
EOF2
excluded=$(e2e_windows_path "$SC/target.exe" | tr 'A-Z' 'a-z')
e2e_ini motions=gestures.mtd showInfo=0 --exclude "$excluded"
e2e_start target.exe --log target.log --x 60 --y 100 --w 440 --h 400
e2e_wait 20 log_has target.log READY
e2e_start other.exe --log other.log --class OtherTarget --title Other --x 520 --y 100 --w 440 --h 400
e2e_wait 20 log_has other.log READY
e2e_zoram

e2e_move 250 200; e2e_click 1; sleep 0.5
log_mark target.log excluded
e2e_stroke 3 8 "150 130 150 280 300 280"; sleep 1
expect "excluded program: the right press and release reach it" \
    test "$(log_after_seq target.log excluded 'RBUTTON')" = "main WM_RBUTTONDOWN main WM_RBUTTONUP"
expect "excluded program: it sees the drag's moves" log_after_has target.log excluded 'main WM_MOUSEMOVE'
expect "excluded program: no gesture runs" not log_after_has target.log excluded '^TEXT'

e2e_move 700 200; e2e_click 1; sleep 0.5
e2e_stroke 3 8 "620 130 620 280 770 280"
expect "another program: gestures work again" e2e_wait 5 log_has other.log '^TEXT .*hello'
e2e_zoram_stop

# Idle timeout: hold the button still, the press is handed back, then drag.
e2e_ini motions=gestures.mtd showInfo=0 idleTimeout=20
e2e_zoram
e2e_move 700 200; e2e_click 1; sleep 0.5
log_mark other.log idle
xdotool mousemove 700 160 mousedown 3; sleep 2
e2e_stroke_moves 5 700 160 800 220
sleep 0.3
e2e_shot idle-drag
xdotool mouseup 3; sleep 1
expect "idle timeout: the target receives the button-down" log_after_has other.log idle 'main WM_RBUTTONDOWN'
expect "idle timeout: and the drag's moves" log_after_has other.log idle 'main WM_MOUSEMOVE'
expect "idle timeout: no gesture ran" not log_after_has other.log idle '^TEXT'
e2e_zoram_stop
e2e_finish
