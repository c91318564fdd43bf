"""Internet bouts between two homes behind routers, on a small internet of
network namespaces made on this machine.

A "public" namespace runs the meeting place (mosquitto) and the relay
(coturn) on documentation addresses (203.0.113.0/24), on a bridge that the
routers of two homes join. Each home (198.18.1.0/24, 198.19.1.0/24) is a
player's namespace behind its router's namespace, which masquerades (or,
for an open home, routes without NAT, or masquerades to random ports).
Bouts run between two drivers, one in each home, by an invitation.

Everything made is removed at the end; only addresses inside the made
namespaces are used. Without root it says that it did not run.

Usage: homes.py DRIVER WORK_FOLDER
"""

import os
import shutil
import subprocess
import sys
import time

driver_path, work = sys.argv[1], sys.argv[2]
PREFIX = f"mf{os.getpid() % 100000}"  # names of this run's own namespaces
PUBLIC = "203.0.113.1"
PASSWORD = "bout-relay-secret"
made = []  # namespaces, to remove at the end
started = []  # processes, to end by their id


def fail(message):
    print("FAILED: " + message)
    cleanup()
    sys.exit(1)


def run(*args, check=True):
    result = subprocess.run(args, capture_output=True, text=True)
    if check and result.returncode != 0:
        fail(" ".join(args) + ": " + result.stderr.strip())
    return result


def ns(name, *args, check=True):
    return run("ip", "netns", "exec", PREFIX + name, *args, check=check)


def cleanup():
    for proc in started:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
    for name in reversed(made):
        run("ip", "netns", "del", PREFIX + name, check=False)
    made.clear()


def namespace(name):
    run("ip", "netns", "add", PREFIX + name)
    made.append(name)
    ns(name, "ip", "link", "set", "lo", "up")


def wire(a, a_if, b, b_if):
    """A veth pair between two namespaces."""
    run("ip", "link", "add", "tmp0", "type", "veth", "peer", "name", "tmp1")
    run("ip", "link", "set", "tmp0", "netns", PREFIX + a)
    run("ip", "link", "set", "tmp1", "netns", PREFIX + b)
    ns(a, "ip", "link", "set", "tmp0", "name", a_if)
    ns(b, "ip", "link", "set", "tmp1", "name", b_if)
    ns(a, "ip", "link", "set", a_if, "up")
    ns(b, "ip", "link", "set", b_if, "up")


def build(homes):
    """homes: for each home, its router's kind: open, nat or random."""
    namespace("pub")
    ns("pub", "ip", "link", "add", "br0", "type", "bridge")
    ns("pub", "ip", "addr", "add", PUBLIC + "/24", "dev", "br0")
    ns("pub", "ip", "link", "set", "br0", "up")
    ns("pub", "sysctl", "-qw", "net.ipv4.ip_forward=1")
    # The rest of the internet: what goes to an address nobody here has
    # (a home's own address, say) is lost without a word, as out there. A
    # relay told "no route" drops the whole allocation.
    ns("pub", "ip", "neigh", "add", "203.0.113.254", "lladdr", "02:00:00:00:00:fe", "dev", "br0", "nud", "permanent")
    ns("pub", "ip", "route", "add", "default", "via", "203.0.113.254")
    for i, kind in enumerate(homes, start=1):
        router, home, lan = f"r{i}", f"h{i}", f"198.{17 + i}.1"
        namespace(router)
        namespace(home)
        wire("pub", f"up{i}", router, "wan")
        ns("pub", "ip", "link", "set", f"up{i}", "master", "br0")
        ns(router, "ip", "addr", "add", f"203.0.113.{10 + i}/24", "dev", "wan")
        ns(router, "ip", "route", "add", "default", "via", PUBLIC)
        ns(router, "sysctl", "-qw", "net.ipv4.ip_forward=1")
        wire(router, "lan", home, "eth0")
        ns(router, "ip", "addr", "add", f"{lan}.1/24", "dev", "lan")
        ns(home, "ip", "addr", "add", f"{lan}.2/24", "dev", "eth0")
        ns(home, "ip", "route", "add", "default", "via", f"{lan}.1")
        if kind == "open":
            ns("pub", "ip", "route", "add", f"{lan}.0/24", "via", f"203.0.113.{10 + i}")
        else:
            flags = " fully-random" if kind == "random" else ""
            rules = (f"table ip nat {{\n chain post {{\n  type nat hook postrouting priority 100;\n"
                     f"  oifname \"wan\" masquerade{flags}\n }}\n}}\n")
            result = subprocess.run(["ip", "netns", "exec", PREFIX + router, "nft", "-f", "-"], input=rules,
                                    capture_output=True, text=True)
            if result.returncode != 0:
                fail("nft: " + result.stderr.strip())


def start_servers(work_folder):
    broker_conf = os.path.join(work_folder, "mosquitto.conf")
    with open(broker_conf, "w") as f:
        f.write(f"listener 1883 {PUBLIC}\nallow_anonymous true\npersistence false\n")
    started.append(subprocess.Popen(["ip", "netns", "exec", PREFIX + "pub", "mosquitto", "-c", broker_conf],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    started.append(subprocess.Popen(
        ["ip", "netns", "exec", PREFIX + "pub", "turnserver", "-n", "--listening-ip", PUBLIC, "--relay-ip", PUBLIC,
         "--external-ip", PUBLIC, "--listening-port", "3478", "--lt-cred-mech", "--user", f"mofurin:{PASSWORD}",
         "--realm", "mofurin", "--fingerprint", "--no-tcp-relay", "--no-cli", "--no-tls", "--no-dtls",
         "--verbose", "--log-file", os.path.join(work_folder, "turn.log")],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    if os.environ.get("MOFURIN_CAPTURE"):
        started.append(subprocess.Popen(["ip", "netns", "exec", PREFIX + "pub", "tcpdump", "-i", "any", "-n", "-U",
                                         "-w", os.path.join(work_folder, "pub.pcap")],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    time.sleep(1.0)


class Game:
    def __init__(self, home, name):
        self.name = name
        self.folder = os.path.join(work, name)
        os.makedirs(self.folder, exist_ok=True)
        self.log = open(os.path.join(work, name.replace(" ", "-") + ".log"), "w")
        self.proc = subprocess.Popen(
            ["ip", "netns", "exec", PREFIX + home, driver_path, "--mute", "--data-dir", self.folder,
             "--meeting-place", f"mqtt://{PUBLIC}:1883", "--relay", f"turn://mofurin:{PASSWORD}@{PUBLIC}:3478"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self.log, text=True, encoding="utf-8",
            cwd=self.folder)
        started.append(self.proc)

    def send(self, *commands):
        self.post(*commands)
        return self.collect()

    def post(self, *commands):
        """Both drivers work at once: each runs its commands while the other does."""
        self.proc.stdin.write("\n".join(commands + ("screens",)) + "\n")
        self.proc.stdin.flush()

    def collect(self):
        lines = []
        while True:
            line = self.proc.stdout.readline()
            if not line:
                fail(f"{self.name}'s driver ended (status {self.proc.wait()}): " + " / ".join(lines[-5:]))
            line = line.rstrip("\n")
            self.log.write(line + "\n")
            lines.append(line)
            if line.startswith("error:") and "was not shown" not in line:
                fail(f"{self.name}: {line}")
            if line.startswith("screens = ") or line == "[end]" or line.startswith("error:"):
                return lines

    def shown(self, lines, screen):
        return screen in lines[-1][len("screens = "):].split(" ")

    def choose_if_asked(self):
        out = self.send("print Form1.HV125.visible", "print Form1.WAZA.items")
        if "Form1.HV125.visible = true" not in out:
            return
        items = [l for l in out if l.startswith("Form1.WAZA.items = ")][0][len("Form1.WAZA.items = "):]
        for item in items.split("|"):
            if item != "---NO DATA":
                self.send(f"select Form1.WAZA {item}", "wait 16", "click Form1.IIYO(0)")
                return

    def ending(self):
        folder = os.path.join(self.folder, "replays")
        records = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
        if not records:
            return "none"
        with open(os.path.join(folder, records[-1]), encoding="utf-8") as f:
            text = f.read()
        return text.split("\nend ", 1)[1].split("\n", 1)[0]

    def quit(self):
        self.proc.stdin.close()
        self.proc.wait(timeout=10)


def bout(host, guest, expect_ways):
    """One bout by an invitation; returns how it ran."""
    for game, key in ((host, 49), (guest, 50)):
        game.send("click Form2.o1", f"key Form3 {key}", "click Form3.Command1", "scroll Form4.SPEED 1",
                  "click Form4.Check1")
    invited = host.send("invite")
    code = [l for l in invited if l.startswith("invitation = ")][0].split(" = ", 1)[1]
    started_at = time.monotonic()
    guest.send(f"join {code}")
    for _ in range(60):
        guest.post("wait 500")
        host.post("wait 500")
        g, h = guest.collect(), host.collect()
        if guest.shown(g, "Form1") and host.shown(h, "Form1"):
            break
    else:
        fail("the bout did not open: host " + host.send("print Form11.Label1")[-2] + ", guest " +
             guest.send("print Form11.Label1")[-2])
    joined_s = time.monotonic() - started_at
    way = [l for l in guest.send("connection") if l.startswith("connection = ")][0].split(" = ", 1)[1]
    if way not in expect_ways:
        fail(f"the link ran {way}, not {' or '.join(expect_ways)}")
    for _ in range(2000):
        host.post("wait 100")
        guest.post("wait 100")
        h, g = host.collect(), guest.collect()
        if host.shown(h, "Form1"):
            host.choose_if_asked()
        if guest.shown(g, "Form1"):
            guest.choose_if_asked()
        if host.shown(h, "Form4") and guest.shown(g, "Form4"):
            break
    else:
        fail("the bout never ended")
    mirror = {"won": "lost", "lost": "won", "both": "both"}
    h_end, g_end = host.ending(), guest.ending()
    if mirror.get(h_end) != g_end:
        fail(f"the records disagree: host {h_end}, guest {g_end}")
    return way, joined_s


CASES = [
    # name, the routers, the guest's home, the ways ICE may take
    ("an open home and a home behind a masquerade", ["open", "nat"], "h2", {"direct"}),
    ("both players in one home", ["nat"], "h1", {"direct"}),
    ("a home behind random ports", ["nat", "random"], "h2", {"relayed"}),
    ("two homes behind masquerades", ["nat", "nat"], "h2", {"direct", "relayed"}),
]
# Two Linux routers punched at once collide in conntrack: the second
# packet out of a home finds its port taken by the other's packet in and
# leaves by a new one, which the other router does not let in; so ICE takes
# the relay there.


def main():
    if os.geteuid() != 0:
        print("did not run: the small internet needs root (network namespaces, nftables)")
        return 0
    for tool in ("mosquitto", "turnserver", "nft"):
        if not shutil.which(tool):
            print(f"did not run: {tool} is missing (scripts/setup.sh installs it)")
            return 0
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    print("netem: not used (this kernel may lack it); the homes are as near as their namespaces")
    only = os.environ.get("MOFURIN_CASE")
    for name, routers, guest_home, ways in CASES:
        if only and only not in name:
            continue
        build(routers)
        start_servers(work)
        host, guest = Game("h1", name + " host"), Game(guest_home, name + " guest")
        way, joined_s = bout(host, guest, ways)
        print(f"{name}: {way}, the bout opened {joined_s:.1f} s after the join")
        host.quit()
        guest.quit()
        cleanup()
        started.clear()
    print("every case passed")
    return 0


try:
    sys.exit(main())
finally:
    cleanup()
