# A keystroke script run by the executor lands in the target's edit box
# exactly as typed: text, special keys, counts, Shift groups, escapes and
# characters beyond ASCII that the keyboard layout has.
source "$(dirname "$0")/../lib.sh"
e2e_begin actions_keystrokes

# Wine 8 looks characters up through the Unix code page, one byte per
# character (and turns what that code page lacks into "?"): run the
# scenario's programs in a Latin-1 locale and type Latin-1 letters.
mkdir -p locale
localedef -i en_US -f ISO-8859-1 locale/en_US.ISO-8859-1 >/dev/null 2>&1
[ -f locale/en_US.ISO-8859-1/LC_CTYPE ] || e2e_log "could not make a Latin-1 locale (package locales)"
export LOCPATH=$SC/locale
export LC_ALL=en_US.ISO-8859-1 2>/dev/null
# The X keymap: give the spare 102nd key "ü"/"Ü", and take the parentheses
# off the extra keys 187/188, which Wine would otherwise find first and which
# have no Windows key code. A client holds the display so the X server keeps
# the keymap until Wine connects.
xdotool sleep 600 & E2E_PIDS+=($!)
xkbcomp "$DISPLAY" keymap.xkb 2>/dev/null
perl -0pe 's/(key <LSGT> \{)[^}]*\}/$1 [ udiaeresis, Udiaeresis ] }/; s/(key <I18[78]> *\{)[^}]*\}/$1 [ NoSymbol ] }/g' \
    keymap.xkb > keymap-zoram.xkb
xkbcomp keymap-zoram.xkb "$DISPLAY" 2>/dev/null

e2e_start target.exe --log target.log --x 100 --y 100 --w 600 --h 400
e2e_wait 20 log_has target.log READY

printf '%s' '@Keystrokes: Hello, World!{enter}abc{left 3}>[shift:xyz]{end} \[1\] \{2\} \\ 50% (a+b)^2 ~ üÜ' > action.txt
e2e_start actionhost.exe --log host.log --action-file action.txt
e2e_wait 30 log_has host.log DONE
sleep 0.5
e2e_shot typed

# The edit box's text after the last change (it may span lines).
last_text() {
    awk '/^TEXT /{t = substr($0, 6); inside = 1; next}
         /^(edit|main|SIZE|MSG|READY|DESTROY|---)/{inside = 0; next}
         inside {t = t "\n" $0}
         END {printf "%s", t}' target.log
}
text_is() { [ "$(last_text)" = "$1" ]; }
expect "the target came to the foreground" log_has host.log 'FOREGROUND 1'
expect "the edit box holds exactly the typed text" \
    text_is $'Hello, World!\r\n>XYZabc [1] {2} \\ 50% (a+b)^2 ~ \xc3\xbc\xc3\x9c'
e2e_log "edit text: $(last_text | tr '\r\n' '~|')"
expect "Enter arrived as a key press" log_has target.log 'edit WM_KEYDOWN 0D'
expect "the left arrow went as an extended key" log_has target.log 'edit WM_KEYDOWN 25 ext=1'
expect "no key is left down" log_has host.log '^KEYSDOWN$'
e2e_finish
