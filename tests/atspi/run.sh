#!/usr/bin/env bash
# A test through the accessibility bus in a desktop of its own: an X display
# (xvfb-run), a D-Bus session on which the accessibility bus starts when
# first asked for, then the game and the test's reader (Debian's python,
# which has pyatspi): the screen reader's (screens_test.py) unless TEST names
# another.
#   run.sh GAME WORK_FOLDER [TEST]
set -euo pipefail
if [ -z "${MOFURIN_ATSPI_DESKTOP:-}" ]; then
  export MOFURIN_ATSPI_DESKTOP=1
  exec xvfb-run -a dbus-run-session -- bash "$0" "$@"
fi
game=$1
work=$2
test=${3:-screens_test.py}
rm -rf "$work"
mkdir -p "$work/data" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
# Qt publishes its windows even where the desktop has not asked for it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The tests share desktop.py; nothing is written beside it.
export PYTHONDONTWRITEBYTECODE=1
exec /usr/bin/python3 "$(dirname "$0")/$test" "$game" "$work/data"
