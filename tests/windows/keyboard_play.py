"""Bouts played by the keyboard alone, in real windows under X.

The keys go through the X server (xdotool) to whatever has the keyboard
focus, as a player's keys do; a test that hands keys to a screen object
cannot see where the focus sits. A training bout and a tournament bout are
played by a random technique's digit and Enter at every command phase; the
bouts' records must show the player's own choice on every turn.

Usage: keyboard_play.py DRIVER WORK_FOLDER [SEED]
"""

import os
import random
import subprocess
import sys
import time

driver_path, work = sys.argv[1], sys.argv[2]
seed = int(sys.argv[3]) if len(sys.argv) > 3 else random.randrange(1 << 30)
rng = random.Random(seed)
os.makedirs(work, exist_ok=True)
for name in os.listdir(work):
    if os.path.isdir(os.path.join(work, name)):
        for f in os.listdir(os.path.join(work, name)):
            os.remove(os.path.join(work, name, f))

NEW_GAME = ("click Form2.o1", "key Form3 49", "click Form3.Command1", "scroll Form4.SPEED 1", "click Form4.Check1")


def start_driver():
    return subprocess.Popen(
        [driver_path, "--qt", "--mute", "--data-dir", work],
        stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
        text=True, encoding="utf-8", cwd=work)


driver = start_driver()


class BoutClosed(Exception):
    """The bout's window closed between two commands (it runs in real time);
    the driver stops at a command for a screen that is gone."""


def fail(why):
    print(f"FAIL (seed {seed}): {why}")
    driver.kill()
    sys.exit(1)


def send(*commands):
    """Runs the commands; returns their output up to the closing screens line."""
    driver.stdin.write("\n".join(commands + ("screens",)) + "\n")
    driver.stdin.flush()
    lines = []
    while True:
        line = driver.stdout.readline()
        if not line:
            fail("the driver ended: " + " / ".join(lines[-5:]))
        line = line.rstrip("\n")
        lines.append(line)
        if line.startswith("error:"):
            if line.endswith("screen Form1 is not open"):
                raise BoutClosed()
            fail(line)
        if line.startswith("screens = ") or line == "[end]":
            return lines


def value(widget):
    return send(f"print {widget}")[-2].split(" = ", 1)[1]


def press(*keys):
    """Real key presses to the battle window, which holds the X focus."""
    window = subprocess.run(["xdotool", "search", "--name", "激戦地区"], capture_output=True, text=True).stdout.split()
    if not window:
        fail("no battle window")
    subprocess.run(["xdotool", "windowfocus", "--sync", window[-1]], check=True)
    subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)


def play_bout(start):
    """Starts a bout with `start` and plays it by keys; returns the slots chosen."""
    global driver
    send(*start)
    chosen = []
    try:
        play_turns(chosen)
    except BoutClosed:  # the bout is over: a fresh game for the next one
        driver.wait(timeout=10)
        driver = start_driver()
        send(*NEW_GAME)
    return chosen


def play_turns(chosen):
    deadline = time.monotonic() + 120
    while "Form1" in send()[-1].split():
        if time.monotonic() > deadline:
            fail("the bout did not end")
        if value("Form1.HV125.visible") != "true":
            send("wait 100")
            continue
        items = value("Form1.WAZA.items").split("|")
        usable = [i for i, t in enumerate(items) if t != "---NO DATA"]
        slot = rng.choice(usable)
        press(str(slot + 1), "Return")
        chosen.append(slot)
        send("answer OK OK OK OK OK OK", "wait 400")


def recorded_choices():
    folder = os.path.join(work, "replays")
    names = sorted(os.listdir(folder), key=lambda n: os.path.getmtime(os.path.join(folder, n)))
    with open(os.path.join(folder, names[-1]), encoding="utf-8") as f:
        return [line.split()[2:] for line in f if line.startswith("choice 0 ")]


send(*NEW_GAME)
for kind, start in (("training", ("click Form4.STRIN(2)", "click Form4.TRAI")),
                    ("tournament", ("until Form4 10000", "click Form4.BATTLE"))):
    chosen = play_bout(start)
    got = recorded_choices()
    want = [["player", str(s)] for s in chosen]
    if not chosen or got != want:
        fail(f"{kind} bout: keys chose {want}, the record has {got}")
    print(f"{kind} bout: {len(chosen)} turns, every one the player's choice")

driver.stdin.close()
driver.wait(timeout=10)
print(f"ok (seed {seed})")
