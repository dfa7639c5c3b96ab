# Key combinations and built-in key commands arrive at the target as the
# right key-down/key-up sequence, the Windows key included.
source "$(dirname "$0")/../lib.sh"
e2e_begin actions_keys

e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY

# run_action MARK ACTION: runs one action through actionhost after a log mark.
run_action() {
    log_mark target.log "$1"
    e2e_action "$2"
    sleep 0.5
}
# The key messages after a mark, as "DOWN 11", "SYSDOWN 12", "UP 73x" (x: extended).
keys_after() {
    log_after target.log "$1" | grep -E '^(edit|main) WM_(SYS)?KEY(DOWN|UP) ' |
        sed -E 's/^[a-z]+ WM_(SYS)?KEY(DOWN|UP) ([0-9A-F]+) ext=/\1\2 \3/; s/1$/x/; s/0$//' | tr '\n' ' ' | sed 's/ $//'
}
keys_are() {
    local got; got=$(keys_after "$1")
    [ "$got" = "$2" ] || { e2e_log "$1: got '$got'"; return 1; }
}
no_key_down() { log_has host.log '^KEYSDOWN$'; }

# Shift and Ctrl are let go first; then Ctrl, Shift, Esc down, and up in reverse.
run_action ctrlshiftesc "@Keys: Ctrl + Shift + Esc"
expect "Ctrl + Shift + Esc: Ctrl, Shift, Esc down and up in reverse" \
    keys_are ctrlshiftesc "UP 10 UP 11 DOWN 11 DOWN 10 DOWN 1B UP 1B UP 10 UP 11"
expect "Ctrl + Shift + Esc: nothing left down" no_key_down

run_action wine "@Keys: Win+E"
expect "Win+E: the Windows key held around E" keys_are wine "UP 10 UP 11 DOWN 5B DOWN 45 UP 45 UP 5B"
expect "Win+E: nothing left down" no_key_down

run_action altf "@Keys: Alt + F5"
expect "Alt + F5: system keys with Alt" keys_are altf "UP 10 UP 11 SYSDOWN 12 SYSDOWN 74 SYSUP 74 UP 12"

run_action closetab "@Browser: close tab"
expect "close tab: Ctrl + F4 with F4 extended" \
    keys_are closetab "UP 10 UP 11 UP 12 DOWN 11 DOWN 73x UP 73x UP 11"

run_action back "@Browser: back"
expect "back: Alt + Left" keys_are back "UP 10 UP 11 UP 12 SYSDOWN 12 SYSDOWN 25 SYSUP 25 UP 12"
expect "back: nothing left down" no_key_down
e2e_shot after-keys
e2e_finish
