# A program action with parameters and "*in*" starts the program through the
# shell with those parameters in that working folder; a relative program path
# is found in the program folder.
source "$(dirname "$0")/../lib.sh"
e2e_begin actions_program

e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY
mkdir -p "$WINEPREFIX/drive_c/zoram work" tools
cp cmdecho.exe tools/

# run_action ACTION: runs one action through actionhost.
run_action() {
    rm -f cmdecho.txt tools/cmdecho.txt
    e2e_action "$1"
}
echo_has() { grep -qF -- "$2" "$1" 2>/dev/null; }
echo_line() { grep "^$2 " "$1" | tr -d '\r'; }

run_action 'cmdecho.exe --flag "two words" 3*in*C:\zoram work'
e2e_wait 20 test -s cmdecho.txt
expect "the program started" test -s cmdecho.txt
# The parameters keep the blank that followed ".exe"; the shell adds its own.
expect "its parameters arrived after the program name" echo_has cmdecho.txt 'cmdecho.exe"  --flag "two words" 3'
expect "it ran in the working folder" [ "$(echo_line cmdecho.txt CWD)" = 'CWD C:\zoram work' ]
e2e_log "$(tr -d '\r' < cmdecho.txt | tr '\n' '|')"
cp cmdecho.txt cmdecho-params.txt

# Relative to the program folder, no parameters, no working folder: the shell
# gets the full path.
run_action 'tools\cmdecho.exe'
e2e_wait 20 test -s tools/cmdecho.txt
expect "the relative program started from the program folder" test -s tools/cmdecho.txt
sc_win=$(winepath -w "$SC" 2>/dev/null | tr -d '\r')
expect "it was given by its full path" echo_has tools/cmdecho.txt "$sc_win\\tools\\cmdecho.exe"
expect "without a working folder it ran in the program folder" [ "$(echo_line tools/cmdecho.txt CWD)" = "CWD $sc_win" ]
e2e_log "$(tr -d '\r' < tools/cmdecho.txt | tr '\n' '|')"
cp tools/cmdecho.txt cmdecho-relative.txt

# An action with "@" in it is taken for a built-in name: nothing starts.
run_action 'cmdecho.exe user@host'
sleep 2
expect "an action with @ starts nothing" not test -e cmdecho.txt
e2e_shot after-programs
e2e_finish
