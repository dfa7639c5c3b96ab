# A second start wakes the running instance once and ends by itself.
source "$(dirname "$0")/../lib.sh"
e2e_begin single_instance

# A stand-in first instance that logs what it receives.
e2e_start target.exe --class TgestureConfigForm --title Zoram --log first.log --x 80 --y 80
e2e_wait 20 log_has first.log READY
e2e_start zoram.exe
second=$E2E_PID
expect "the second instance ends by itself" e2e_wait 20 e2e_ended $second
expect "the first instance got exactly one 0x3E71" test "$(log_count first.log '^MSG 3E71 ')" -eq 1
# No hook stayed behind: a right click still reaches the window.
e2e_move 300 150; e2e_click 3; sleep 0.5
expect "right click not swallowed (no hook installed)" log_has first.log 'main WM_RBUTTONUP'
first_fake=$E2E_PID
e2e_win close TgestureConfigForm Zoram >/dev/null
e2e_wait 10 e2e_no_window TgestureConfigForm Zoram

# The real thing: the running Zoram shows its window when started again.
# (Settings saved by this version: the loaded library is not rewritten.)
printf '[main]\r\nversion=1.41\r\n' > zoram.ini
e2e_start zoram.exe
first=$E2E_PID
e2e_wait 20 e2e_window_exists TgestureConfigForm Zoram
expect "the window starts hidden" not e2e_window_visible TgestureConfigForm Zoram
e2e_start zoram.exe
second=$E2E_PID
expect "the second Zoram ends" e2e_wait 20 e2e_ended $second
expect "the first Zoram shows its window" e2e_wait 10 e2e_window_visible TgestureConfigForm Zoram
expect "the first Zoram keeps running" e2e_running "$first"
e2e_shot shown
e2e_win close TgestureConfigForm Zoram >/dev/null
expect "closing the window ends Zoram" e2e_wait 10 e2e_ended $first
e2e_finish
