"""A player without a mouse: from the title through a new game, tournament
bouts until a technique is offered and learnt, the shop, a save and a load,
by real key presses through the X server under a window manager. The keys
go wherever the focus is, as a player's do; the accessibility bus tells
where that is, so each step finds its control by Tab as a player would.

Run by run.sh inside its own D-Bus session, accessibility bus and X display:
    keyboard_test.py GAME DATA_DIR
"""

import os
import subprocess
import sys
import time

import pyatspi

import desktop
from desktop import BOXES, control, descendants, showing, wait_for

GAME, DATA = sys.argv[1], sys.argv[2]
SAVE = os.path.join(DATA, "kibo.dat")


def windows():
    return desktop.windows(game.pid)


def window(name):
    return desktop.window(game.pid, name)


def box():
    return desktop.box(game.pid)


def waiting_for(what, test, seconds=desktop.WAIT):
    """As wait_for, and says which windows show when it gives up."""
    return wait_for(what, test, seconds, lambda: [w.name for w in windows()])


def focused():
    for w in windows():
        for o in descendants(w):
            if o.getState().contains(pyatspi.STATE_FOCUSED):
                return o
    return None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)


def tab_to(name=None, role=None):
    """Tabs through the window until the control of that name (or role) has
    the focus."""
    passed = []
    for _ in range(40):
        here = waiting_for("a control with the focus", focused)
        if (name is None or here.name == name) and (role is None or here.getRole() == role):
            return here
        passed.append(f"{here.getRoleName()} {here.name}")
        keys("Tab")
        time.sleep(0.1)
    raise SystemExit(f"FAIL: Tab never reached {name or role}, only {sorted(set(passed))}")


def answer_box():
    """Answers the message box that comes with Enter (its first button);
    returns its text."""
    shown = waiting_for("a message box", box)
    text = " ".join(o.name for o in descendants(shown) if o.getRole() == pyatspi.ROLE_LABEL)
    keys("Return")
    waiting_for("the box closed", lambda: not showing(shown))
    return text


def through_boxes_to(*names):
    """Answers every box that comes by Enter until a window of one of those
    names shows; returns the window. The tournament's message window is
    left by its button, on the way to the hub."""
    while True:
        found = waiting_for(f"{names} or a box",
                            lambda: box() or next(filter(None, map(window, names + ("メッセージBOX",))), None))
        if found.getRole() in BOXES:
            print("  a box:", answer_box().replace("\n", " "), flush=True)
        elif found.name == "メッセージBOX" and found.name not in names:
            tab_to("元に戻る")
            keys("Return")
            waiting_for("the message window closed", lambda: not showing(found))
        else:
            return found


def bout():
    """Plays a tournament bout by keys: thirty turns of AUTO (the A key) at
    a command phase, Enter on every box; returns what the boxes said."""
    battle = waiting_for("the battle", lambda: window("激戦地区"))
    said = []
    while True:
        step = waiting_for("the command phase, a box or the bout's end",
                           lambda: box() or not showing(battle) or
                           control(battle, pyatspi.ROLE_COMBO_BOX, "あなたの必殺技（最大８個）"), 120)
        if step is True:
            return said
        if step.getRole() in BOXES:
            said.append(answer_box())
        else:
            keys(*["a"] * 30)
            waiting_for("the round under way", lambda: not showing(step) or box())


wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(1)
game = subprocess.Popen([GAME, "--mute", "--language", "ja", "--data-dir", DATA])
try:
    # The title opens with its menu open on its first entry, はじめから.
    waiting_for("the title", lambda: window("オープニング"))
    keys("Return")

    waiting_for("the starter selection", lambda: window("モフリン選択"))
    keys("2")  # ミニドラ
    tab_to("名前のデフォルト", pyatspi.ROLE_TEXT)
    type_text("Kibo")
    keys("Return")
    answer_box()  # this one? yes

    waiting_for("the hub", lambda: window("ステータス"))
    # The fastest messages, no hit animations: bouts take seconds.
    tab_to("メッセージスピード")
    keys("Home")
    tab_to("攻撃アクションの有無")
    keys("space")
    # Every fourth tournament win offers a technique.
    learning_name = "新しい技を覚えたぞ！！"
    for n in range(30):
        tab_to("トーナメント")
        keys("Return")
        said = bout()
        after = through_boxes_to(learning_name, "ステータス")
        print(f"bout {n + 1}, then {after.name}", *said, sep="\n  ", flush=True)
        if after.name == learning_name:
            learning = after
            break
    else:
        raise SystemExit("FAIL: no technique offered in thirty bouts")

    # The list has the focus: the last entry is an empty slot (or the list
    # is shut when the offer is a technique already known).
    offer = next(o.name for o in descendants(learning) if o.getRole() == pyatspi.ROLE_LABEL and "今覚えた技" in o.name)
    learnt = offer.splitlines()[1]
    keys("End")
    tab_to("これで良し")
    keys("Return")
    through_boxes_to("ステータス")  # sure? yes; learnt; the tournament's message

    tab_to("ＨＰ回復")
    keys("Return")
    shop = waiting_for("the shop", lambda: window("回復屋"))

    def money():  # the shop's own line, "所持金：…"
        texts = (o.queryText() for o in descendants(shop) if o.getRole() == pyatspi.ROLE_TEXT)
        return next(t for t in (t.getText(0, -1) for t in texts) if t.startswith("所持金"))

    before = money()
    tab_to("回復数", pyatspi.ROLE_TEXT)  # it has the keyboard, its "000000" ready to be typed over
    type_text("1")
    keys("Return")  # pays
    answer_box()  # sure? yes
    answer_box()  # come again
    waiting_for(f"the shop to take money from {before}", lambda: money() != before, 5)
    keys("Escape")
    waiting_for("the shop closed", lambda: not showing(shop))
    waiting_for("the hub", lambda: window("ステータス"))

    tab_to("ＳＡＶＥ")
    keys("Return")
    waiting_for("the save dialog", box)  # the file name box has the keyboard
    type_text(SAVE)
    keys("Return")
    answer_box()  # saved
    if not os.path.exists(SAVE):
        raise SystemExit("FAIL: nothing was saved")
    with open(SAVE, encoding="cp932") as f:
        if learnt not in f.read():
            raise SystemExit(f"FAIL: the save lacks the technique learnt, {learnt}")

    tab_to("リセット")
    keys("Return")
    answer_box()  # back to the title: yes
    waiting_for("the title", lambda: window("オープニング"))
    keys("Down", "Return")  # ロード
    waiting_for("the load dialog", box)
    type_text(SAVE)
    keys("Return")
    hub = waiting_for("the hub of the game loaded", lambda: window("ステータス"))
    labels = [o.name for o in descendants(hub) if o.getRole() == pyatspi.ROLE_LABEL]
    if not any("Kibo" in name for name in labels):
        raise SystemExit(f"FAIL: the game loaded is not Kibo's: {labels}")
finally:
    game.terminate()
    game.wait()
    wm.terminate()
    wm.wait()
print("ok")
