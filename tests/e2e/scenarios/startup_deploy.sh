# Start-up writes MouseCore.dll beside the program when it must, and stops
# with the error box when it cannot.
source "$(dirname "$0")/../lib.sh"
e2e_begin startup_deploy

ini() { printf '[main]\r\nversion=%s\r\n' "$1" > zoram.ini; }
# Starts zoram.exe, waits for its hidden main window, then closes it.
run_zoram() {
    e2e_start zoram.exe
    local pid=$E2E_PID
    e2e_wait 20 e2e_window_exists TgestureConfigForm Zoram || e2e_log "main window did not appear"
    e2e_win close TgestureConfigForm Zoram >/dev/null
    e2e_wait 10 e2e_ended $pid || e2e_log "zoram did not end after close"
    ! e2e_running "$pid"
}

expect "fresh folder: zoram starts and ends on close" run_zoram
expect "MouseCore.dll written byte for byte from the embedded image" cmp -s MouseCore.dll "$E2E_BUILD/MouseCore.dll"

ini 1.41
printf 'an older library' > MouseCore.dll
run_zoram
expect "version 1.41 with a library present: left untouched" grep -qx 'an older library' MouseCore.dll

rm MouseCore.dll
run_zoram
expect "version 1.41 with the library deleted: written again" cmp -s MouseCore.dll "$E2E_BUILD/MouseCore.dll"

# A library that cannot be replaced (a folder of that name shadows nothing:
# use a read-only file held open for writing by nobody, and a locked folder).
ini 1.40
printf 'locked' > MouseCore.dll
chmod 0444 MouseCore.dll
chattr +i MouseCore.dll 2>/dev/null || true
e2e_start zoram.exe
pid=$E2E_PID
expect "unwritable library: the error box appears" e2e_wait 20 e2e_window_exists '#32770' Zoram
e2e_shot error-box
e2e_win texts '#32770' Zoram > box.txt
expect "the box names the file and the reason" grep -q 'Cannot create file ".*MouseCore.dll"\. .' box.txt
expect "no main window next to the error box" e2e_no_window TgestureConfigForm -
e2e_key Return
expect "the process ends after the box" e2e_wait 10 e2e_ended $pid
chattr -i MouseCore.dll 2>/dev/null || true
expect "the library file kept its content" grep -qx locked MouseCore.dll
e2e_finish
