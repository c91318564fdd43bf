#!/usr/bin/env bash
# The Debian package, built from a build folder and checked as a player would
# get it: Debian's own checkers pass on it, and the game unpacked from it
# into a scratch folder starts, finds its pictures and help page there, and
# keeps kiro.txt in the player's data folder, never in the current folder.
#   tests/package/check.sh BUILD_FOLDER
set -euo pipefail
build=$(realpath "${1:-build}")
here=$(dirname "$(realpath "$0")")

scratch=$(mktemp -d)
game_pid=
cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "package check: $*" >&2; exit 1; }

echo "package: building"
rm -f "$build"/mofurin_*.deb
(cd "$build" && cpack -G DEB > "$build/cpack.log" 2>&1) || { cat "$build/cpack.log"; fail "cpack failed"; }
deb=$(ls "$build"/mofurin_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

echo "package: checking with lintian, desktop-file-validate and appstreamcli"
# lintian warns that it runs as root, which CI does; errors fail the check.
lintian --fail-on error "$deb" 2> >(grep -v "running with root privileges" >&2)
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins libsdl2-mixer-2.0-0 timgm6mb-soundfont fonts-ipafont-gothic \
  libqt6network6 libnice10 libsodium23 libmosquitto1; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
for size in 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/mofurin.png"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "no ${size} px icon: $(file "$icon")"
done
zcat "$root/usr/share/man/man6/mofurin.6.gz" | grep -qF -- "data\\-dir" || fail "the manual page lacks --data-dir"

program="$root/usr/games/mofurin"
mkdir -p "$scratch/cwd" "$scratch/home"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy HOME="$scratch/home" XDG_DATA_HOME="$scratch/xdg"
cd "$scratch/cwd"

echo "package: starting the unpacked game"
"$program" --version | grep -q "^mofurin " || fail "--version does not answer"
"$program" --mute > "$scratch/game.log" 2>&1 &
game_pid=$!
# Up to ten seconds for the first start to make the player's data folder,
# then the game must still be running a second later.
for _ in $(seq 100); do
  [ -d "$XDG_DATA_HOME/mofurin" ] && break
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
sleep 1
kill -0 "$game_pid" 2>/dev/null || { cat "$scratch/game.log"; fail "the game ended at start"; }
# What the start loads stays small: the links' libraries wait for their
# modules, and the game's pictures are read without Qt's image plugins.
loaded=$(grep -oE '[^/]+\.so[.0-9]*$' "/proc/$game_pid/maps" | sort -u)
for unwanted in libQt6Network libkrb5 libnice libmosquitto libsodium mofurin-lan mofurin-internet libqjpeg libqgif; do
  if grep -q "^$unwanted" <<< "$loaded"; then fail "the title screen has loaded $unwanted"; fi
done
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
[ -d "$XDG_DATA_HOME/mofurin" ] || fail "the first start did not make $XDG_DATA_HOME/mofurin"
if grep -q "mofurin:" "$scratch/game.log"; then cat "$scratch/game.log"; fail "the game complained at start"; fi

# The driver finds the game's files as the game does. Beside the unpacked
# program it plays the package's assets: its photo of the title must be the
# build folder's, its help page must be found, and erasing the hall of fame
# must write kiro.txt into the data folder given.
echo "package: playing the unpacked game to the hall of fame"
cp "$build/bin/mofurin-drive" "$root/usr/games/"
script="$scratch/play.drive"
sed "s|@PHOTO@|$scratch/title-package.png|" "$here/hall-of-fame.drive" > "$script"
"$root/usr/games/mofurin-drive" --qt --mute --data-dir "$scratch/data" "$script" > "$scratch/package.out" 2>&1 ||
  { cat "$scratch/package.out"; fail "the driver failed beside the unpacked game"; }
grep -q "抹消しました。" "$scratch/package.out" || { cat "$scratch/package.out"; fail "the hall of fame was not erased"; }
if grep -q "help page missing" "$scratch/package.out"; then cat "$scratch/package.out"; fail "the help page was not found"; fi
[ "$(grep -c '^""' "$scratch/data/kiro.txt")" -eq 60 ] || fail "kiro.txt is not in the data folder"
[ -z "$(ls -A "$scratch/cwd")" ] || fail "the game wrote into the current folder: $(ls -A "$scratch/cwd")"

sed "s|@PHOTO@|$scratch/title-build.png|" "$here/hall-of-fame.drive" > "$script"
"$build/bin/mofurin-drive" --qt --mute --data-dir "$scratch/data-build" "$script" > "$scratch/build.out" 2>&1 ||
  { cat "$scratch/build.out"; fail "the driver failed in the build folder"; }
cmp -s "$scratch/title-package.png" "$scratch/title-build.png" || fail "the unpacked game's title differs from the build's"
# The modules are found where the package puts them: a LAN host waits for
# its guest, and an invitation gets as far as the meeting place (nobody
# listens on port 1).
echo "package: loading the modules of network bouts"
{ cat "$here/../../tools/scripts/to-link.drive"; echo "print Form11.Label1"; } > "$scratch/lan.drive"
"$root/usr/games/mofurin-drive" --qt --mute --port 47101 --data-dir "$scratch/data-lan" "$scratch/lan.drive" \
  > "$scratch/lan.out" 2>&1 || true
grep -q "Form11.Label1 = 相手の接続を待ちます" "$scratch/lan.out" ||
  { cat "$scratch/lan.out"; fail "the unpacked game did not load its LAN module"; }
printf 'click Form2.o1\nkey Form3 49\nclick Form3.Command1\ninvite\n' > "$scratch/invite.drive"
"$root/usr/games/mofurin-drive" --mute --data-dir "$scratch/data-invite" --meeting-place mqtt://127.0.0.1:1 \
  "$scratch/invite.drive" > "$scratch/invite.out" 2>&1 || true
grep -q "待ち合わせ場所のサーバーにつながりません" "$scratch/invite.out" ||
  { cat "$scratch/invite.out"; fail "the unpacked game did not load its module of internet bouts"; }
echo "package: ok"
