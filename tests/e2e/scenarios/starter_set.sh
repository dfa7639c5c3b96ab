# The starter set shipped beside the program works over a real window.
source "$(dirname "$0")/../lib.sh"
e2e_begin starter_set
expect "GettingStarted.mtd is shipped beside zoram.exe" test -f GettingStarted.mtd
e2e_ini motions=GettingStarted.mtd showInfo=0
e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY
e2e_zoram
e2e_move 300 200; e2e_click 1; sleep 0.3

log_mark target.log close-tab
e2e_stroke 3 8 "200 130 200 280 350 280"   # down, then right
expect "down-then-right sends Ctrl+F4 (close tab) to the program" \
    e2e_wait 5 log_after_has target.log close-tab 'WM_KEYDOWN 73'
log_mark target.log minimise
e2e_stroke 3 8 "200 130 350 130 350 280"   # right, then down
expect "right-then-down minimises the window" e2e_wait 5 log_after_has target.log minimise '^SIZE minimized'
e2e_shot minimised
e2e_zoram_stop
e2e_finish
