"""The game as a screen reader meets it, through the desktop's accessibility
bus: every screen a window named by its caption, every shown control named,
and a training bout won by accessibility actions alone while its messages
arrive as events.

Run by run.sh inside its own D-Bus session, accessibility bus and X display:
    screens_test.py GAME DATA_DIR
"""

import subprocess
import sys

import pyatspi
from gi.repository import GLib

import desktop
from desktop import control, descendants, showing, wait_for

GAME, DATA = sys.argv[1], sys.argv[2]

# Roles that are a control or a picture: each must say what it is. Labels
# say their text, panels only hold others.
NAMED_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_SCROLL_BAR,
    pyatspi.ROLE_IMAGE, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU,
}
WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT, pyatspi.ROLE_WINDOW}

failures = []
heard = []  # what the live labels said, in order
shown = []  # the live labels each time they showed news


def fail(text):
    failures.append(text)
    print("FAIL:", text, flush=True)


def window(name):
    return desktop.window(game.pid, name)


def dialog():
    return desktop.box(game.pid)


def press(o):
    action = o.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def check_screen(win):
    """The window is a window; every control shown on it has a name."""
    if win.getRole() not in WINDOW_ROLES:
        fail(f"{win.name}: published as {win.getRoleName()}, not as a window")
    for o in descendants(win):
        if showing(o) and o.getRole() in NAMED_ROLES and not o.name.strip():
            fail(f"{win.name}: a {o.getRoleName()} without a name")
    print("checked", win.name, flush=True)


def answer(button):
    box = wait_for("a message box", dialog)
    check_screen(box)
    press(wait_for(f"the box's {button}", lambda: control(box, pyatspi.ROLE_PUSH_BUTTON, button)))
    wait_for("the box closed", lambda: not showing(box))


def visit(screen, opener, name, closer):
    """Opens a screen from another (by a button or a menu item), checks it
    and leaves it by its button."""
    if opener:
        press(next(o for o in descendants(screen)
                   if o.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_MENU_ITEM) and o.name == opener))
    opened = wait_for(name, lambda: window(name))
    leave = wait_for(f"{name}: {closer}", lambda: control(opened, pyatspi.ROLE_PUSH_BUTTON, closer))
    check_screen(opened)
    press(leave)
    wait_for(f"{name} closed", lambda: not showing(opened))


def on_event(event):
    """Keeps what the live labels said, from the events alone."""
    try:
        if event.source.getRole() != pyatspi.ROLE_NOTIFICATION:
            return
    except GLib.Error:  # an object of a closed window
        return
    if event.type.startswith("object:text-changed:insert"):
        heard.append(event.any_data)
    elif event.detail1 == 1:
        shown.append(event.source)


def pick(combo, entry):
    """Picks a list entry as a screen reader does: it selects the entry."""
    item = next(e for e in combo[0] if e is not None and e.name == entry)
    action = item.queryAction()
    action.doAction(0)


def fight(battle):
    """Plays the bout by its command panel; returns what it was heard saying."""
    heard.clear()
    panel = "あなたの必殺技（最大８個）"
    while True:
        techniques = wait_for("the command phase or the bout's end",
                              lambda: control(battle, pyatspi.ROLE_COMBO_BOX, panel) or not showing(battle))
        if techniques is True:
            return list(heard)
        entries = [e.name for e in techniques[0] if e is not None and not e.name.startswith("---")]
        pick(techniques, entries[-1])
        press(wait_for("the confirm button", lambda: control(battle, pyatspi.ROLE_PUSH_BUTTON, "これでＯＫ")))
        wait_for("the round under way", lambda: not showing(techniques))


pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing", "object:text-changed:insert")
# The reader knows the Japanese names; the desktop here may speak anything.
game = subprocess.Popen([GAME, "--mute", "--language", "ja", "--data-dir", DATA])
try:
    title = wait_for("the title", lambda: window("オープニング"))
    check_screen(title)
    visit(title, "設定…", "設定", "閉じる")
    start = next(o for o in descendants(title) if o.getRole() == pyatspi.ROLE_MENU_ITEM and o.name == "はじめから")
    press(start)

    select = wait_for("the starter selection", lambda: window("モフリン選択"))
    starter = next(o for o in descendants(select) if o.getRole() == pyatspi.ROLE_IMAGE and showing(o))
    press(starter)
    choose = wait_for("the confirm button", lambda: control(select, pyatspi.ROLE_PUSH_BUTTON, "これにする"))
    wait_for("the confirm button usable", lambda: choose.getState().contains(pyatspi.STATE_ENABLED))
    check_screen(select)
    press(choose)
    answer("OK")

    hub = wait_for("the hub", lambda: window("ステータス"))
    check_screen(hub)
    speed = control(hub, pyatspi.ROLE_SCROLL_BAR, "メッセージスピード")
    speed.queryValue().currentValue = 1.0
    # The dummy is random: a bout lost is fought again, a few times at most.
    for bout in range(6):
        press(control(hub, pyatspi.ROLE_RADIO_BUTTON, "EASY"))
        press(control(hub, pyatspi.ROLE_PUSH_BUTTON, "ダミーと対決"))
        battle = wait_for("the battle", lambda: window("激戦地区"))
        wait_for("the command phase", lambda: control(battle, pyatspi.ROLE_COMBO_BOX, "あなたの必殺技（最大８個）"))
        if bout == 0:
            check_screen(battle)
        said = fight(battle)
        print(f"bout {bout + 1}, heard:", *said, sep="\n  ", flush=True)
        hub = wait_for("the hub again", lambda: window("ステータス"))
        if any("経験値を得た" in line for line in said):
            break
    else:
        fail("no training bout won")
    if not any(line.startswith("ジャンヌ") or "ダメージ" in line for line in said):
        fail("the bout's messages never arrived as events")
    if not any("頭(H)" in line for line in said):
        fail("the hit points never arrived as events")
    if not shown:
        fail("no news was shown to the screen reader")

    visit(hub, "ＨＰ回復", "回復屋", "帰る")
    visit(hub, "殿堂部屋", "黄金の殿堂", "もういい")
    hub = wait_for("the hub", lambda: window("ステータス"))
    press(control(hub, pyatspi.ROLE_PUSH_BUTTON, "トーナメント"))
    fight(wait_for("the tournament bout", lambda: window("激戦地区")))
    visit(None, None, "メッセージBOX", "元に戻る")
finally:
    game.terminate()
    game.wait()

if failures:
    sys.exit(1)
print("ok")
