#!/bin/sh
# Installs the build into a temporary prefix, starts the installed program through its
# launcher on the display ($DISPLAY) and drives it from outside as a user would: the File
# menu, Open, the path of a front-end file typed into the file dialog, Enter; then the File
# menu and Exit. Checks the launcher's working directory, the log and screenshots.
#
# Usage: end-to-end-test.sh CMAKE BUILD_DIR FILE.xml
set -eu
cmake=$1
build=$2
file=$3

tmp=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
[ -n "${DISPLAY:-}" ] || fail "no display (run under xvfb-run)"

"$cmake" --install "$build" --prefix "$tmp/prefix" >/dev/null
# A user of our own: the launcher makes the working directory under this home.
export HOME="$tmp/home"
unset XDG_DATA_HOME XDG_CONFIG_HOME
# The file dialog keeps its state in memory instead of asking for a settings daemon.
export GSETTINGS_BACKEND=memory
work="$HOME/.local/share/quarncode"

# The file to open waits in the working directory, where the file dialog starts: typing its
# bare name is safer than a path that the location entry completes while it is typed.
mkdir -p "$work"
cp "$file" "$work/"
name=$(basename "$file")

"$tmp/prefix/bin/quarncode-start" &
pid=$!

# Waits (up to 20 seconds) for a visible window with exactly this title; prints its id.
window_named() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}
# The number of distinct colours inside the canvas (a margin inside the window, below the
# menu bar and above the status bar).
canvas_colours() {
    import -window root "$tmp/shot.png"
    convert "$tmp/shot.png" -crop "$((WIDTH - 20))x$((HEIGHT - 90))+$((X + 10))+$((Y + 45))" \
        +repage -format %k info:
}
# Opens the File menu by clicking its title, then picks an item with the keys given.
file_menu() {
    xdotool mousemove "$((X + 19))" "$((Y + 12))" click 1
    sleep 0.5
    xdotool key "$@"
}

main=$(window_named "Quarn Code")
[ -n "$main" ] || fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$main")"
cmp -s "$tmp/prefix/share/quarncode/settings.cfg" "$work/settings.cfg" ||
    fail "the launcher did not copy the default settings into $work"
sleep 0.5
[ "$(canvas_colours)" -eq 1 ] || fail "the canvas is not empty at start-up"

# File, Open...: the first item.
file_menu Down Return
dialog=$(window_named "Open a project file")
[ -n "$dialog" ] || fail "the file dialog did not appear"
sleep 0.5
xdotool key ctrl+l # the location entry
sleep 0.5
xdotool type --delay 50 "$name"
# An Enter that comes while the location entry still offers its completions only takes the
# completion: press it until the dialog has gone.
for _ in 1 2 3 4 5; do
    sleep 1
    xdotool search --onlyvisible --name '^Open a project file$' >/dev/null || break
    xdotool key Return
done

colours=1
for _ in $(seq 40); do
    sleep 0.5
    colours=$(canvas_colours)
    [ "$colours" -gt 50 ] && break
done
[ "$colours" -gt 50 ] || fail "no treemap after opening $file ($colours colours)"
cp "$tmp/shot.png" "$build/end-to-end.png"

# File, Exit: the last item.
file_menu Up Return
for _ in $(seq 40); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after File, Exit"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

log="$work/log.txt"
[ "$(head -n 1 "$log")" = "start logging: opening log file" ] || fail "log start: $(cat "$log")"
[ "$(tail -n 1 "$log")" = "stop logging: closing file" ] || fail "log stop: $(cat "$log")"
grep -q "^Config file loaded, layout: : " "$log" || fail "no layout settings in the log"
grep -q "^Config file loaded, looks: : " "$log" || fail "no looks settings in the log"
if grep -q "^\[error\]" "$log"; then
    fail "errors in the log: $(grep "^\[error\]" "$log")"
fi
echo "opened $file: $colours colours on the canvas; screenshot in $build/end-to-end.png"
