"""Where the game's windows open, under a real window manager (openbox).

Each screen that replaces another opens where that one was, one that opens
in front of a screen (the shop) opens over it, and the first window of the
next start opens where the game was when it ended, even after the player
moved it.

Usage: window_places.py DRIVER WORK_FOLDER
"""

import os
import shutil
import subprocess
import sys
import time

driver_path, work = sys.argv[1], sys.argv[2]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
started = []


def fail(why):
    print("FAIL:", why)
    for p in started:
        p.kill()
    sys.exit(1)


class Game:
    def __init__(self):
        self.proc = subprocess.Popen(
            [driver_path, "--qt", "--mute", "--data-dir", work],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
            text=True, encoding="utf-8", cwd=work)
        started.append(self.proc)

    def send(self, *commands):
        self.proc.stdin.write("\n".join(commands + ("screens",)) + "\n")
        self.proc.stdin.flush()
        while True:
            line = self.proc.stdout.readline()
            if not line:
                fail("the driver ended")
            if line.startswith("error:"):
                fail(line)
            if line.startswith("screens = ") or line.strip() == "[end]":
                return line.strip()


def centre(caption):
    """The centre of the window with that title, once the desktop shows it."""
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{caption}$"],
                               capture_output=True, text=True).stdout.split()
        if found:
            time.sleep(0.3)  # the window manager's own placing is over
            out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", found[-1]],
                                 capture_output=True, text=True, check=True).stdout
            g = dict(line.split("=") for line in out.split())
            return int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + int(g["HEIGHT"]) // 2, found[-1]
        time.sleep(0.1)
    fail(f"no window {caption}")


def expect_near(what, got, want):
    if abs(got[0] - want[0]) > 3 or abs(got[1] - want[1]) > 3:
        fail(f"{what} is centred at {got[:2]}, not at {want[:2]}")


wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
started.append(wm)
time.sleep(1)

game = Game()
x, y, title = centre("オープニング")
# The player moves the title window away from the middle of the screen.
subprocess.run(["xdotool", "windowmove", "--sync", title, "200", "150"], check=True)
game.send("wait 300")
moved = centre("オープニング")
game.send("click Form2.o1")
expect_near("the starter selection", centre("モフリン選択"), moved)
game.send("key Form3 49", "answer OK", "click Form3.Command1")
hub = centre("ステータス")
expect_near("the hub", hub, moved)
game.send("click Form4.HPUP")
expect_near("the shop", centre("回復屋"), hub)
game.send("click Form5.BYE", "click Form4.tabi")
expect_near("the hall of fame", centre("黄金の殿堂"), hub)
game.send("click Form9.Command1", "close Form4")
game.proc.wait(20)

game = Game()
expect_near("the next start's title", centre("オープニング"), hub)
game.send("close Form2")
game.proc.wait(20)
wm.kill()
print("window places: ok")
