#!/usr/bin/env bash
# The game's Debian package, end to end: builds it with CPack from a release
# build of its own (no sanitizers, whose runtimes the package would otherwise
# need), checks its control fields and contents with dpkg-deb, installs it
# with apt-get, starts the installed game under a private X display from an
# unrelated folder, removes it again and checks that nothing is left behind.
# Installing system-wide needs root (CI runs as root on a disposable machine):
# otherwise, or when a cinderwatch package is installed already, it exits 77
# (skipped) without touching the system.
# Usage: debian-package.sh <build folder> <version>
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
installed=no

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
cleanup() {
    if [ "$installed" = yes ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq cinderwatch >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

if [ "$(id -u)" -ne 0 ]; then
    echo "not root: the package cannot be installed here"
    exit 77
fi
if dpkg-query -W -f='${Status}' cinderwatch 2>/dev/null | grep -q "install ok installed"; then
    echo "a cinderwatch package is installed on this machine already; leaving it alone"
    exit 77
fi

# --- build the package
package_build="$build/package-build"
cmake -S "$root" -B "$package_build" -DCMAKE_BUILD_TYPE=Release -DZP_SANITIZE=OFF \
    -DZP_BUILD_TESTS=OFF -DZP_BUILD_BENCH=OFF >/dev/null
cmake --build "$package_build" -j2 >"$work/build.log" || { tail -30 "$work/build.log"; fail "release build"; }
rm -f "$package_build"/cinderwatch_*.deb
(cd "$package_build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(find "$package_build" -maxdepth 1 -name "cinderwatch_${version}_*.deb")
[ -f "$deb" ] || fail "no cinderwatch_${version}_*.deb in $package_build"

# --- control fields
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = cinderwatch ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
for dependency in libsfml-graphics2.5 libsfml-window2.5 libsfml-audio2.5 libsfml-system2.5 fonts-dejavu-core; do
    grep -Eq "(^|, )$dependency( |,|$)" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done
! grep -Eq "libasan|libubsan|-dev" <<<"$depends" || fail "Depends names build-only packages: $depends"

# --- contents: the game, its data, the font link, desktop entry and icon; nothing of the engine's
dpkg-deb -c "$deb" | awk '{ print $6 ($7 == "->" ? " -> " $8 : "") }' | sed 's|^\./|/|; s|/$||' >"$work/contents"
expect() { grep -qxF -- "$1" "$work/contents" || fail "the package lacks $1"; }
expect /usr/bin/cinderwatch
expect "/usr/share/cinderwatch/zp-font.ttf -> /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"
expect /usr/share/applications/cinderwatch.desktop
expect /usr/share/icons/hicolor/scalable/apps/cinderwatch.svg
(cd "$root/GameData" && find . -type f | sed 's|^\.|/usr/share/cinderwatch/GameData|') >"$work/data"
while read -r file; do expect "$file"; done <"$work/data"
! grep -Eq "libzp|/include/|/cmake/" "$work/contents" || fail "engine development files in the game's package"

# --- install, as a user would
snapshot() { find /usr /etc /opt -xdev 2>/dev/null | grep -v -e '/mimeinfo\.cache$' -e '/icon-theme\.cache$' | sort; }
snapshot >"$work/before"
installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install"; }
dpkg-query -W -f='${Status}' cinderwatch | grep -q "install ok installed" || fail "not installed"
[ "$(command -v cinderwatch)" = /usr/bin/cinderwatch ] || fail "cinderwatch is not on the PATH"
[ "$(cinderwatch --version)" = "cinderwatch $version" ] || fail "--version: $(cinderwatch --version)"

# --- start it from an unrelated folder; it finds its font and data in /usr/share/cinderwatch
mkdir "$work/elsewhere"
cat >"$work/play.sh" <<'PLAY'
#!/usr/bin/env bash
# Starts the game, waits for its window, and quits from the menu with Q (the
# log reaches the disk when the game ends); the game's exit status.
cinderwatch >stdout.txt 2>stderr.txt &
game=$!
window=
for _ in $(seq 1 240); do
    window=$(xdotool search --name '^Zephane$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.25
done
if [ -n "$window" ]; then
    # Without a window manager the keyboard focus follows the pointer.
    xdotool mousemove --window "$window" 1000 750
    for _ in $(seq 1 120); do
        kill -0 "$game" 2>/dev/null || break
        xdotool key q
        sleep 0.5
    done
fi
kill "$game" 2>/dev/null && echo "the game did not quit" >&2
wait "$game"
PLAY
(cd "$work/elsewhere" && ALSOFT_DRIVERS=null "$root/scripts/with-display.sh" bash "$work/play.sh") ||
    { cat "$work/elsewhere/stderr.txt"; fail "the installed game did not start and quit"; }
[ -f "$work/elsewhere/zephane.log" ] || fail "no log in the working folder"
grep -q "^Message: loop time: " "$work/elsewhere/zephane.log" || fail "the game loop did not run"
others=$(grep -v -E "^Message: (draw|loop) time: -?[0-9]+$" "$work/elsewhere/zephane.log" || true)
[ -z "$others" ] || fail "the installed game logged problems: $others"

# --- remove it: nothing of it stays
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq cinderwatch >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get purge"; }
installed=no
! dpkg-query -W -f='${Status}' cinderwatch 2>/dev/null | grep -q "installed" || fail "still installed"
snapshot >"$work/after"
diff "$work/before" "$work/after" >"$work/left" || { cat "$work/left"; fail "files left behind or removed"; }
echo "cinderwatch_${version} built, checked, installed, started from $work/elsewhere and removed"
