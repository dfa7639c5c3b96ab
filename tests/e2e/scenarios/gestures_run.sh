# Gestures drawn over a program run their action there; short presses are
# handed back as clicks; a gesture ended at the screen edge runs nothing;
# per-program rules; the trail is drawn and the screen restored.
source "$(dirname "$0")/../lib.sh"
e2e_begin gestures_run
cp target.exe other.exe
target=$(e2e_windows_path "$SC/target.exe")
other=$(e2e_windows_path "$SC/other.exe")
e2e_set gestures.mtd <<EOF2
program target = $target
gesture down-right
action @Keystrokes: hello
stroke 0,0 0,100 100,100
gesture right-down
action @Keystrokes: world
rule target = @Keystrokes: ruled
stroke 0,0 100,0 100,100
gesture up-right
action @Keystrokes: nope
rule target = 
stroke 0,100 0,0 100,0
EOF2
e2e_ini motions=gestures.mtd showInfo=0
e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY
e2e_start other.exe --log other.log --class OtherTarget --title Other --x 720 --y 100 --w 280 --h 400
e2e_wait 20 log_has other.log READY
e2e_zoram
e2e_move 300 200; e2e_click 1; sleep 0.3   # the target in front

typed() { log_has "$1" "^TEXT .*$2"; }

log_mark target.log gesture
xdotool mousemove 200 130; sleep 0.2; xdotool mousedown 3; sleep 0.1
e2e_stroke_moves 8 200 130 200 280 350 280
sleep 0.1
xdotool mouseup 3
start=$(date +%s%N)
for _ in $(seq 500); do typed target.log hello && break; sleep 0.01; done
echo "release to typed text: $(( ($(date +%s%N) - start) / 1000000 )) ms" > timing.txt
cat timing.txt >&2
expect "a drawn gesture types its keystrokes into the target" typed target.log hello
expect "the target saw no right-button message of the gesture" not log_after_has target.log gesture RBUTTON

log_mark target.log click
e2e_move 300 200; e2e_click 3; sleep 1
expect "a right click reaches the target as one click" \
    test "$(log_after_seq target.log click 'RBUTTON')" = "main WM_RBUTTONDOWN main WM_RBUTTONUP"
log_mark target.log short
e2e_drag 3 300 200 306 207 3; sleep 1
expect "a 9-pixel right drag reaches the target as one click" \
    test "$(log_after_seq target.log short 'RBUTTON')" = "main WM_RBUTTONDOWN main WM_RBUTTONUP"

log_mark target.log edge
e2e_stroke 3 10 "400 200 400 300 1019 300"; sleep 1
e2e_shot edge-cancelled
expect "a gesture ended at the screen edge runs nothing" not log_after_has target.log edge '^TEXT'
expect "and hands no click back" not log_after_has target.log edge RBUTTON

e2e_move 300 200; e2e_click 1; sleep 0.3
log_mark target.log rule
e2e_stroke 3 8 "200 130 350 130 350 280"
e2e_wait 5 log_after_has target.log rule 'ruled'
expect "the target's rule runs instead of the default action" log_after_has target.log rule '^TEXT .*ruled'
expect "the default action did not run in the target" not log_after_has target.log rule 'world'
log_mark target.log empty
e2e_stroke 3 8 "200 280 200 130 350 130"; sleep 1.5
expect "an empty rule runs nothing" not log_after_has target.log empty '^TEXT'

e2e_move 860 300; e2e_click 1; sleep 0.3
e2e_stroke 3 8 "760 130 900 130 900 280"
expect "another program gets the default action" e2e_wait 5 typed other.log world

# The trail during a slow gesture, and the screen after it.
e2e_move 300 200; e2e_click 1; sleep 0.3
xdotool mousemove 200 130; sleep 0.2; xdotool mousedown 3; sleep 0.1
e2e_stroke_moves 10 200 130 200 280 350 280
sleep 0.5
e2e_shot trail-during
xdotool mouseup 3
sleep 1
e2e_shot trail-after
during=$(e2e_pixel "$E2E_ARTIFACTS/gestures_run-trail-during.png" 200 200)
after=$(e2e_pixel "$E2E_ARTIFACTS/gestures_run-trail-after.png" 200 200)
e2e_log "pixel on the path: during $during, after $after"
expect "the trail is drawn in the trail colour (blue)" test "$during" = "0,0,255"
expect "the screen is restored after the gesture" test "$after" = "255,255,224"
e2e_zoram_stop
e2e_finish
