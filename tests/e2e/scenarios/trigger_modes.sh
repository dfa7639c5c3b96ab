# The other trigger modes: Ctrl + right button (with a pen-up stroke that
# runs nothing), the middle button, and Ctrl+Shift with plain movement.
source "$(dirname "$0")/../lib.sh"
e2e_begin trigger_modes
e2e_set gestures.mtd <<EOF2
gesture down-right
action @Keystrokes: hello
stroke 0,0 0,100 100,100
gesture right-down
action @Keystrokes: world
stroke 0,0 100,0 100,100
gesture up-right
action @Special: maximise window
stroke 0,100 0,0 100,0
EOF2
e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY
typed_after() { log_after_has target.log "$1" "^TEXT .*$2"; }
front() { e2e_move 300 200; e2e_click 1; sleep 0.3; }

# Mode 2: Ctrl and the right button.
e2e_ini motions=gestures.mtd showInfo=0 invoke=2
e2e_zoram
front
log_mark target.log plain-right
e2e_stroke 3 8 "200 130 200 280 350 280"; sleep 1
expect "mode 2: a right drag without Ctrl reaches the target" log_after_has target.log plain-right 'main WM_RBUTTONDOWN'
expect "mode 2: and runs nothing" not typed_after plain-right hello
log_mark target.log ctrl-right
xdotool keydown ctrl; sleep 0.3
e2e_stroke 3 8 "200 130 200 280 350 280"
xdotool keyup ctrl
expect "mode 2: Ctrl + right drag runs the gesture" e2e_wait 5 typed_after ctrl-right hello
log_mark target.log penup
xdotool keydown ctrl; sleep 0.3
e2e_stroke 3 8 "200 130 200 280"
sleep 0.2
e2e_stroke 3 8 "200 280 350 280"
sleep 0.2
xdotool keyup ctrl; sleep 1.5
expect "mode 2: two strokes with the button lifted run nothing" not typed_after penup '.'
expect "mode 2: and no right-button message reached the target" not log_after_has target.log penup RBUTTON
e2e_zoram_stop

# Mode 3: the middle button; right clicks pass untouched.
e2e_ini motions=gestures.mtd showInfo=0 invoke=3
e2e_zoram
front
log_mark target.log middle
e2e_stroke 2 8 "200 130 350 130 350 280"
expect "mode 3: a middle drag runs the gesture" e2e_wait 5 typed_after middle world
expect "mode 3: the target saw no middle-button message" not log_after_has target.log middle MBUTTON
log_mark target.log right
e2e_move 300 200; e2e_click 3; sleep 1
expect "mode 3: a right click reaches the target" \
    test "$(log_after_seq target.log right 'RBUTTON')" = "main WM_RBUTTONDOWN main WM_RBUTTONUP"
e2e_zoram_stop

# Mode 0: hold Ctrl+Shift and move; no hook, no button involved. The gesture
# ends as the first key comes up, so its action must not depend on the other
# still being down: it maximises the window.
e2e_ini motions=gestures.mtd showInfo=0 invoke=0
e2e_zoram
front
log_mark target.log keys
e2e_move 200 280; sleep 0.2
xdotool keydown ctrl keydown shift; sleep 0.3
e2e_stroke_moves 8 200 280 200 130 350 130
sleep 0.2
xdotool keyup shift keyup ctrl
expect "mode 0: Ctrl+Shift and movement runs the gesture" e2e_wait 5 log_after_has target.log keys "^SIZE maximized"
expect "mode 0: no button message reached the target" not log_after_has target.log keys BUTTON
e2e_shot mode0
e2e_zoram_stop
e2e_finish
