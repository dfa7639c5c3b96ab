# The tray icon: a click shows the window, the menu toggles activation and
# ends the program, and the new state is saved on the way out. Autostart:
# an entry for another copy is offered to be pointed here.
source "$(dirname "$0")/../lib.sh"
e2e_begin tray_controller
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg add "$run_key" /v zoram /d 'C:\Old\zoram.exe' /f >/dev/null 2>&1
e2e_ini showInfo=0
e2e_zoram
tray_x=1013 tray_y=757   # the notification area of the 1024x768 desktop
expect "the window starts hidden" not e2e_window_visible TgestureConfigForm Zoram
e2e_move $tray_x $tray_y; e2e_click 1
expect "a click on the tray icon shows the window" e2e_wait 5 e2e_window_visible TgestureConfigForm Zoram
e2e_key Escape
expect "Esc hides it again" e2e_wait 5 not e2e_window_visible TgestureConfigForm Zoram
e2e_move $tray_x $tray_y; e2e_click 1
e2e_wait 5 e2e_window_visible TgestureConfigForm Zoram

# 5 seconds after start: the autostart entry names another copy.
expect "the autostart question appears" e2e_wait 10 e2e_window_exists '#32770' Zoram
e2e_shot autostart-question
e2e_win texts '#32770' Zoram > question.txt
expect "it asks about this copy" grep -q "is not this one" question.txt
e2e_key Return   # "Yes", the default button
sleep 1
expect "Yes points the entry at this copy" bash -c "wine reg query '$run_key' /v zoram 2>/dev/null | tr -d '\r' | grep -qi 'zoram.exe' && ! wine reg query '$run_key' /v zoram 2>/dev/null | grep -qi 'Old'"

e2e_move $tray_x $tray_y; e2e_click 3; sleep 1
e2e_shot tray-menu
e2e_key a; sleep 0.5            # "&Active": off
e2e_move $tray_x $tray_y; e2e_click 3; sleep 1
e2e_key x                       # "E&xit"
expect "Exit in the tray menu ends Zoram" e2e_wait 10 e2e_ended "$ZORAM_PID"
expect "the close saved the settings with gestures off" e2e_ini_has '^active=0$'
expect "and the version" e2e_ini_has '^version=1.41$'
e2e_finish
