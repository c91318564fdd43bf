"""A network bout between two games in real windows, by real mouse and keys.

Two drivers show their real windows on one X display, each with its own
data folder, on one loopback port. The host ticks ホスト and presses
ネットバトル with the mouse; the guest types the address and presses it
too. Both play by real input only (a digit and Enter, or a click on
これでＯＫ) until the bout ends on both. Both records must tell the same
bout. Then only the guest presses ネットバトル again: the host, touched by
nothing, must take the second bout, and it plays to its end as well.

Usage: network_play.py DRIVER WORK_FOLDER [SEED]
"""

import os
import random
import shutil
import socket
import subprocess
import sys
import time

driver_path, work = sys.argv[1], sys.argv[2]
seed = int(sys.argv[3]) if len(sys.argv) > 3 else random.randrange(1 << 30)
rng = random.Random(seed)
shutil.rmtree(work, ignore_errors=True)

with socket.socket() as s:  # a port nothing else holds now
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]


class Game:
    def __init__(self, name):
        self.name = name
        self.folder = os.path.join(work, name)
        os.makedirs(self.folder)
        self.proc = subprocess.Popen(
            [driver_path, "--qt", "--mute", "--data-dir", self.folder, "--port", str(port)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
            text=True, encoding="utf-8", cwd=self.folder)

    def send(self, *commands):
        """Runs the commands; returns their output up to the closing screens line."""
        self.proc.stdin.write("\n".join(commands + ("screens",)) + "\n")
        self.proc.stdin.flush()
        lines = []
        while True:
            line = self.proc.stdout.readline()
            if not line:
                fail(f"the {self.name}'s driver ended: " + " / ".join(lines[-5:]))
            line = line.rstrip("\n")
            lines.append(line)
            if line.startswith("error:"):
                fail(f"{self.name}: {line}")
            if line.startswith("screens = ") or line == "[end]":
                return lines

    def value(self, widget):
        return self.send(f"print {widget}")[-2].split(" = ", 1)[1]

    def screens(self):
        return self.send()[-1].split()

    def window(self, caption):
        found = subprocess.run(["xdotool", "search", "--all", "--pid", str(self.proc.pid), "--name", caption],
                               capture_output=True, text=True).stdout.split()
        if not found:
            fail(f"{self.name}: no window {caption}")
        # Both games open their windows in one place: this one comes on top.
        subprocess.run(["xdotool", "windowraise", found[-1]], check=True)
        subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True)
        return found[-1]

    def click(self, caption, form, *path):
        """A real mouse click in the middle of the widget at the end of `path`
        (its frames first), in the window captioned `caption`."""
        window = self.window(caption)
        x = y = 0
        for w in path:
            x += int(self.value(f"{form}.{w}.left"))
            y += int(self.value(f"{form}.{w}.top"))
        x, y = (x + 150) // 15, (y + 120) // 15  # twips; a little inside the widget
        subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y)], check=True)
        self.send("wait 100")  # the game takes X events while real time passes
        subprocess.run(["xdotool", "click", "1"], check=True)
        self.send("wait 200")

    def keys(self, caption, *keys):
        self.window(caption)
        subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)
        self.send("wait 200")

    def last_record(self):
        folder = os.path.join(self.folder, "replays")
        names = sorted(os.listdir(folder), key=lambda n: os.path.getmtime(os.path.join(folder, n)))
        with open(os.path.join(folder, names[-1]), encoding="utf-8") as f:
            return f.read().splitlines()


def fail(why):
    print(f"FAIL (seed {seed}): {why}")
    for g in games:
        g.proc.kill()
    sys.exit(1)


games = []
host, guest = Game("host"), Game("guest")
games += [host, guest]
for g in games:
    g.send("click Form2.o1", "key Form3 49", "click Form3.Command1", "scroll Form4.SPEED 1", "click Form4.Check1")

host.click("ステータス", "Form4", "Frame2", "Check2")
if host.value("Form4.Check2.checked") != "true":
    fail("the host's box was not ticked by the mouse")
host.click("ステータス", "Form4", "Frame2", "Command2")
host.send("wait 300")
if host.value("Form11.Label1") != "相手の接続を待ちます":
    fail("the host does not wait: " + host.value("Form11.Label1"))


def play_bout():
    """Both sides play by real input until the bout is over on both."""
    deadline = time.monotonic() + 180
    turns = 0
    while any("Form1" in g.screens() for g in games):
        if time.monotonic() > deadline:
            fail("the bout did not end")
        for g in games:
            if "Form1" not in g.screens() or g.value("Form1.HV125.visible") != "true":
                continue
            items = g.value("Form1.WAZA.items").split("|")
            slot = rng.choice([i for i, t in enumerate(items) if t != "---NO DATA"])
            if rng.random() < 0.5:
                g.keys("激戦地区", str(slot + 1), "Return")
            else:
                g.keys("激戦地区", str(slot + 1))
                g.click("激戦地区", "Form1", "HV125", "IIYO(0)")
            turns += 1
        for g in games:
            g.send("answer OK OK OK OK", "wait 200")
    return turns


def connect_guest(first):
    if first:
        guest.click("ステータス", "Form4", "Frame2", "Text1")
        guest.keys("ステータス", "ctrl+a", *["period" if c == "." else c for c in "127.0.0.1"])
    guest.click("ステータス", "Form4", "Frame2", "Command2")
    deadline = time.monotonic() + 30
    while not all("Form1" in g.screens() for g in games):
        if time.monotonic() > deadline:
            fail("the bout did not open: host " + host.value("Form11.Label1") +
                 ", guest " + guest.value("Form11.Label1"))
        for g in games:
            g.send("wait 100")


def records_agree(n):
    a, b = host.last_record(), guest.last_record()
    ends = [next(line for line in r if line.startswith("end ")) for r in (a, b)]
    mirrored = {"end won": "end lost", "end lost": "end won"}
    if mirrored.get(ends[0], ends[0]) != ends[1]:
        fail(f"bout {n}: the host's record says {ends[0]}, the guest's {ends[1]}")
    print(f"bout {n}: {ends[0]} / {ends[1]}")


for n in (1, 2):
    connect_guest(n == 1)
    turns = play_bout()
    records_agree(n)
    print(f"bout {n}: {turns} choices by real mouse and keys")
    host.send("wait 500")
    if host.value("Form11.Label1") != "現在、接続待ち...":
        fail(f"after bout {n} the host does not wait again: " + host.value("Form11.Label1"))

for g in games:
    g.proc.stdin.close()
    g.proc.wait(timeout=10)
print(f"ok (seed {seed})")
