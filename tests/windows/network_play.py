"""A network bout between two games in real windows, by real mouse and keys.

Two drivers show their real windows on one X display, each with its own
data folder, on one loopback port. The host ticks ホスト and presses
ネットバトル with the mouse; the guest types the address and presses it
too. Both play by real input only (a digit and Enter, or a click on
これでＯＫ) until the bout ends on both. Both records must tell the same
bout. Then only the guest presses ネットバトル again: the host, touched by
nothing, must take the second bout, and it plays to its end as well. Then
three short bouts by invitation code, through a meeting place on the
loopback: in each the first side to have a turn runs away.

Under a real window manager, each side's battle opens where its hub was and
the hub comes back there: ten reopenings on each side move no window.

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

def free_port():
    with socket.socket() as s:  # a port nothing else holds now
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


port, broker_port = free_port(), free_port()


class Game:
    def __init__(self, name):
        self.name = name
        self.folder = os.path.join(work, name)
        os.makedirs(self.folder)
        self.proc = subprocess.Popen(
            [driver_path, "--qt", "--mute", "--data-dir", self.folder, "--port", str(port),
             "--meeting-place", f"mqtt://127.0.0.1:{broker_port}"],
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

    def centre(self, caption):
        """The centre of this game's window with that caption, as the desktop shows it."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid), "--name",
                                f"^{caption}$"], capture_output=True, text=True).stdout.split()
        if not found:
            fail(f"{self.name}: no window {caption} on screen")
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", found[-1]],
                             capture_output=True, text=True, check=True).stdout
        g = dict(line.split("=") for line in out.split())
        return int(g["X"]) + int(g["WIDTH"]) // 2, int(g["Y"]) + int(g["HEIGHT"]) // 2

    def expect_at_home(self, caption):
        got = self.centre(caption)
        if abs(got[0] - self.home[0]) > 3 or abs(got[1] - self.home[1]) > 3:
            fail(f"{self.name}: {caption} is centred at {got}, not where the hub was at first, {self.home}")

    def last_record(self):
        folder = os.path.join(self.folder, "replays")
        names = sorted(os.listdir(folder), key=lambda n: os.path.getmtime(os.path.join(folder, n)))
        with open(os.path.join(folder, names[-1]), encoding="utf-8") as f:
            return f.read().splitlines()


def fail(why):
    print(f"FAIL (seed {seed}): {why}")
    for p in servers + [g.proc for g in games]:
        p.kill()
    sys.exit(1)


games = []
servers = [subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL),
           subprocess.Popen(["mosquitto", "-p", str(broker_port)], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)]
time.sleep(1)
host, guest = Game("host"), Game("guest")
games += [host, guest]
for g in games:
    g.send("click Form2.o1", "key Form3 49", "click Form3.Command1", "scroll Form4.SPEED 1", "click Form4.Check1")
    time.sleep(0.5)  # the window manager's own placing is over
    g.home = g.centre("ステータス")

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


def flee_bout():
    """The first side to have a turn runs away, by a real click; both go back to their hubs."""
    deadline = time.monotonic() + 60
    while True:
        ready = [g for g in games if "Form1" in g.screens() and g.value("Form1.HV125.visible") == "true"]
        if ready:
            break
        if time.monotonic() > deadline or not any("Form1" in g.screens() for g in games):
            fail("nobody had a turn to run away at: " + guest.value("Form11.Label1"))
        for g in games:
            g.send("wait 100")
    ready[0].click("激戦地区", "Form1", "HV125", "NIGERU(0)")
    while any("Form1" in g.screens() for g in games):
        if time.monotonic() > deadline:
            fail("the bout did not end after a flight")
        for g in games:
            g.send("answer OK OK", "wait 200")
    return ready[0].name


def invite_guest():
    host.click("ステータス", "Form4", "Frame2", "Invite")
    deadline = time.monotonic() + 20
    while not host.value("Form11.Code"):
        if time.monotonic() > deadline:
            fail("no invitation code: " + host.value("Form11.Label1"))
        host.send("wait 200")
    guest.send("join " + host.value("Form11.Code"))
    wait_for_bout()


def connect_guest(first):
    if first:
        guest.click("ステータス", "Form4", "Frame2", "Text1")
        guest.keys("ステータス", "ctrl+a", *["period" if c == "." else c for c in "127.0.0.1"])
    guest.click("ステータス", "Form4", "Frame2", "Command2")
    wait_for_bout()


def wait_for_bout():
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


for n in range(1, 6):
    if n <= 2:
        connect_guest(n == 1)
    else:
        invite_guest()
    time.sleep(0.5)
    for g in games:
        g.expect_at_home("激戦地区")
    if n <= 2:
        turns = play_bout()
        records_agree(n)
        print(f"bout {n}: {turns} choices by real mouse and keys")
    else:
        print(f"bout {n}: the {flee_bout()} ran away")
    host.send("wait 500")
    if n < 2 and host.value("Form11.Label1") != "現在、接続待ち...":
        fail(f"after bout {n} the host does not wait again: " + host.value("Form11.Label1"))
    if n == 2:
        host.send("close Form11", "wait 300")  # the host stops waiting on the LAN
    for g in games:
        g.send("answer OK", "wait 300")
        g.expect_at_home("ステータス")

for g in games:
    g.proc.stdin.close()
    g.proc.wait(timeout=10)
for p in servers:
    p.kill()
print(f"ok (seed {seed})")
