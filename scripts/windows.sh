#!/usr/bin/env bash
# Builds and tests the Windows side on this Debian machine:
#   1. installs mingw-w64 (x86_64, POSIX threads), wine64 and zip;
#   2. fetches the Debian sources of SFML 2.5.1 and the libraries it needs
#      (FreeType, OpenAL Soft, FLAC, Ogg, Vorbis) with `apt-get source`, and
#      of GoogleTest, through source entries derived from the machine's own
#      package sources;
#   3. cross-builds them once into a cache folder outside the repository,
#      keyed by their versions ($ZP_WINDOWS_CACHE, by default
#      ~/.cache/cinderwatch-windows), reused by every later run;
#   4. cross-builds the engine, the game, the tests and the tools into
#      build-windows/, and the example games against the built engine;
#   5. runs the Windows tests under Wine (CTest in build-windows/) and makes
#      the release zip.
# Prints how long each part took.
#
# Usage: scripts/windows.sh [all|build|test|deps] [ctest arguments...]
#   all (default): everything above; build: steps 1-4; deps: steps 1-3;
#   test: step 5 on an existing build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
[ $# -gt 0 ] && shift
case $what in
all | build | test | deps) ;;
*)
    echo "usage: scripts/windows.sh [all|build|test|deps] [ctest arguments...]" >&2
    exit 2
    ;;
esac

cache=${ZP_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/cinderwatch-windows}
build=$root/build-windows
triple=x86_64-w64-mingw32
toolchain=$root/cmake/toolchains/mingw-w64-x86_64.cmake
jobs=$(nproc)
# Bumped whenever the way the dependencies are built changes, so that a cache
# built the old way is not reused.
recipe=1

timings=()
timed() {
    local name=$1
    shift
    local start=$SECONDS
    echo "[windows] $name..."
    "$@"
    local took=$((SECONDS - start))
    timings+=("$(printf '%-34s %5d s' "$name" "$took")")
    echo "[windows] $name: ${took} s"
}
summary() {
    echo "[windows] time taken:"
    local line
    for line in "${timings[@]}"; do
        echo "  $line"
    done
}
trap 'summary' EXIT

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# --- 1. the toolchain -------------------------------------------------------

install_packages() {
    local packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                    mingw-w64-x86-64-dev wine64 wine zip unzip dpkg-dev xz-utils libgtest-dev cmake make
                    fonts-dejavu-core xvfb xauth xdotool imagemagick)
    local missing=() package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null
}

# --- 2. the sources ---------------------------------------------------------
#
# apt runs with a configuration of its own in the cache (its own lists and
# source entries), so the machine's apt set-up is left as it is. The entries
# are the machine's own Debian entries turned into deb-src ones.

apt_dir=$cache/apt
apt_opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
          -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o "Debug::NoLocking=1"
          -o "APT::Sandbox::User=root" -o "Acquire::Languages=none")
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
# OpenAL Soft: the mirror here serves the current release's source files of
# no version of it, so it comes from the next release's source package.
next_codename=${ZP_WINDOWS_NEXT_SUITE:-trixie}

# Writes deb-src stanzas for every Debian entry (one whose suites include the
# release's codename) of the machine's deb822 and one-line source files; with
# a second argument, for that suite instead of the entries' own.
derive_source_entries() {
    local only_suite=${1:-}
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk -v codename="$codename" -v only="$only_suite" '
            BEGIN { RS = ""; ORS = "\n\n" }
            {
                types = ""; suites = ""; uris = ""; rest = ""
                n = split($0, lines, "\n")
                for (i = 1; i <= n; i++) {
                    line = lines[i]
                    if (line ~ /^#/) continue
                    if (line ~ /^Types:/) types = line
                    else if (line ~ /^Suites:/) suites = line
                    else if (line ~ /^URIs:/) uris = line
                    else rest = rest line "\n"
                }
                if (types !~ /[ \t]deb([ \t]|$)/ || (suites " ") !~ ("[ \t]" codename "[- \t]")) next
                if (only != "") {
                    if ((suites " ") !~ ("[ \t]" codename "[ \t]")) next
                    suites = "Suites: " only
                }
                printf "Types: deb-src\n%s\n%s\n%s", uris, suites, rest
                print ""
            }' "$file"
    done
    local list
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] || continue
        awk -v codename="$codename" -v only="$only_suite" '
            $1 == "deb" {
                i = 2
                opts = ""
                if ($2 ~ /^\[/) { while ($i !~ /\]$/) { opts = opts $i " "; i++ } opts = opts $i " "; i++ }
                uri = $i; suite = $(i + 1)
                if (suite != codename && index(suite, codename "-") != 1) next
                if (only != "") { if (suite != codename) next; suite = only }
                line = "deb-src " opts uri " " suite
                for (j = i + 2; j <= NF; j++) line = line " " $j
                print line
            }' "$list" | sed 's/^/# one-line: /'
    done
}

prepare_apt() {
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    [ -n "$codename" ] || { echo "scripts/windows.sh: /etc/os-release names no release" >&2; return 1; }
    {
        derive_source_entries
        derive_source_entries "$next_codename"
    } >"$apt_dir/sources.list.d/entries.sources.tmp"
    # One-line entries go to a .list file of their own.
    grep '^# one-line: ' "$apt_dir/sources.list.d/entries.sources.tmp" | sed 's/^# one-line: //' \
        >"$apt_dir/sources.list.d/entries.list" || true
    grep -v '^# one-line: ' "$apt_dir/sources.list.d/entries.sources.tmp" >"$apt_dir/sources.list.d/entries.sources" || true
    rm -f "$apt_dir/sources.list.d/entries.sources.tmp"
    if ! grep -q . "$apt_dir/sources.list.d/entries.sources" "$apt_dir/sources.list.d/entries.list"; then
        echo "scripts/windows.sh: the machine's package sources hold no Debian entry for $codename" >&2
        return 1
    fi
    apt-get "${apt_opts[@]}" -qq update
}

# The source packages: name, release, what is built from it.
source_packages=("libsfml $codename" "freetype $codename" "flac $codename" "libogg $codename"
                 "libvorbis $codename" "openal-soft $next_codename")

# The version of a source package in the given suite.
source_version() {
    apt-cache "${apt_opts[@]}" madison "$1" 2>/dev/null |
        awk -F'|' -v suite="$2" '$3 ~ ("[ ]" suite "/") && $3 ~ /Sources/ { gsub(/ /, "", $2); print $2 }' |
        sort -V | tail -n 1
}

versions_file=""
compute_key() {
    versions_file=$(mktemp)
    local entry name suite version
    for entry in "${source_packages[@]}"; do
        read -r name suite <<<"$entry"
        version=$(source_version "$name" "$suite")
        [ -n "$version" ] || { echo "scripts/windows.sh: no source of $name in $suite" >&2; return 1; }
        echo "$name $version" >>"$versions_file"
    done
    echo "googletest $(dpkg-query -W -f='${Version}' googletest)" >>"$versions_file"
    echo "mingw-w64-gcc $(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)" >>"$versions_file"
    echo "recipe $recipe" >>"$versions_file"
    key=$(sha256sum "$versions_file" | cut -c1-16)
}

fetch_sources() {
    local src=$deps/src
    rm -rf "$src"
    mkdir -p "$src"
    local entry name suite version
    for entry in "${source_packages[@]}"; do
        read -r name suite <<<"$entry"
        version=$(awk -v n="$name" '$1 == n { print $2 }' "$versions_file")
        (
            cd "$src"
            if ! apt-get "${apt_opts[@]}" -qq source "$name=$version" >"$src/$name.log" 2>&1; then
                # What apt could fetch is checked against the signed index; a
                # source package whose Debian changes are not served is built
                # from its upstream tarball alone.
                local upstream=${version#*:}
                upstream=${upstream%-*}
                local orig
                orig=$(ls "${name}_${upstream}".orig.tar.* 2>/dev/null | grep -v '\.asc$' | head -n 1 || true)
                if [ -z "$orig" ]; then
                    cat "$src/$name.log" >&2
                    echo "scripts/windows.sh: apt-get source $name=$version failed" >&2
                    exit 1
                fi
                echo "[windows] $name: only the upstream tarball $orig is served; building it without Debian's changes"
                mkdir -p "$name-upstream"
                tar -xf "$orig" -C "$name-upstream" --strip-components=1
            fi
        )
    done
    cp -r /usr/src/googletest "$src/googletest"
    copy_licences
}

# The licence of each library that travels with the Windows game, for the
# release zip: Debian's copyright file of the source package, or the
# upstream licence where only the upstream tarball was served.
copy_licences() {
    local licences=$prefix/share/licences
    mkdir -p "$licences"
    local entry name suite dir
    for entry in "${source_packages[@]}"; do
        read -r name suite <<<"$entry"
        dir=$(source_dir "$name")
        if [ -f "$dir/debian/copyright" ]; then
            cp "$dir/debian/copyright" "$licences/$name.txt"
        elif [ -f "$dir/COPYING" ]; then
            cp "$dir/COPYING" "$licences/$name.txt"
        else
            echo "scripts/windows.sh: no licence found in $dir" >&2
            return 1
        fi
    done
}

# The folder apt-get source extracted a package into.
source_dir() {
    local dir
    dir=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -n 1)
    [ -n "$dir" ] || { echo "scripts/windows.sh: no source folder for $1" >&2; return 1; }
    echo "$dir"
}

# --- 3. the dependencies ----------------------------------------------------

cmake_dep() {
    local name=$1 dir=$2
    shift 2
    local out=$deps/build/$name
    rm -rf "$out"
    mkdir -p "$out"
    if ! { nice cmake -S "$dir" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZP_WINDOWS_DEPS="$prefix" \
               -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" &&
           nice cmake --build "$out" -j"$jobs" &&
           cmake --install "$out"; } >"$out.log" 2>&1; then
        tail -n 40 "$out.log" >&2
        echo "scripts/windows.sh: building $name failed (whole log: $out.log)" >&2
        return 1
    fi
}

build_ogg() {
    cmake_dep libogg "$(source_dir libogg)" -DBUILD_SHARED_LIBS=OFF -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
}
build_vorbis() {
    cmake_dep libvorbis "$(source_dir libvorbis)" -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF
}
build_flac() {
    cmake_dep flac "$(source_dir flac)" -DBUILD_SHARED_LIBS=OFF -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF \
        -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF -DWITH_OGG=ON \
        -DWITH_STACK_PROTECTOR=OFF
}
build_freetype() {
    cmake_dep freetype "$(source_dir freetype)" -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON \
        -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}
# OpenAL Soft is a DLL of its own (OpenAL32.dll), as on every Windows system:
# its licence (LGPL) lets a player replace it.
build_openal() {
    cmake_dep openal-soft "$(source_dir openal-soft)" -DLIBTYPE=SHARED -DALSOFT_UTILS=OFF \
        -DALSOFT_EXAMPLES=OFF -DALSOFT_TESTS=OFF -DALSOFT_NO_CONFIG_UTIL=ON -DALSOFT_INSTALL_CONFIG=OFF \
        -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF -DALSOFT_INSTALL_EXAMPLES=OFF \
        -DALSOFT_INSTALL_UTILS=OFF
}
# SFML as DLLs, the way its Windows users know it; FreeType and the codecs
# are linked into them.
build_sfml() {
    cmake_dep sfml "$(source_dir libsfml)" -DBUILD_SHARED_LIBS=ON -DSFML_USE_SYSTEM_DEPS=ON \
        -DSFML_BUILD_NETWORK=OFF -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF \
        -DCMAKE_INCLUDE_PATH="$prefix/include/AL"
}
build_googletest() {
    cmake_dep googletest "$deps/src/googletest" -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

ensure_deps() {
    timed "sources: index" prepare_apt
    compute_key
    deps=$cache/deps-$key
    prefix=$deps/prefix
    if [ -f "$deps/complete" ]; then
        echo "[windows] dependencies: reusing $deps"
        sed 's/^/  /' "$deps/versions.txt"
        rm -f "$versions_file"
        return 0
    fi
    echo "[windows] dependencies: building into $deps"
    sed 's/^/  /' "$versions_file"
    rm -rf "$deps"
    mkdir -p "$deps"
    mv "$versions_file" "$deps/versions.txt"
    versions_file=$deps/versions.txt
    timed "sources: apt-get source" fetch_sources
    timed "deps: Ogg" build_ogg
    timed "deps: Vorbis" build_vorbis
    timed "deps: FLAC" build_flac
    timed "deps: FreeType" build_freetype
    timed "deps: OpenAL Soft" build_openal
    timed "deps: SFML" build_sfml
    timed "deps: GoogleTest" build_googletest
    rm -rf "$deps/build" "$deps/src"
    touch "$deps/complete"
}

# --- 4. the project --------------------------------------------------------

configure_project() {
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZP_WINDOWS_DEPS="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DZP_BUILD_BENCH=OFF >"$build.configure.log" 2>&1 ||
        { cat "$build.configure.log" >&2; return 1; }
    rm -f "$build.configure.log"
}
build_project() {
    nice cmake --build "$build" -j"$jobs"
}
build_zip() {
    cmake --build "$build" --target windows_zip >/dev/null
    ls "$build"/*-windows-x64.zip
}
# The example games, built as an engine user would: against the engine
# installed from this build, with find_package(zp).
build_example() {
    local engine=$build/engine-install
    rm -rf "$engine"
    cmake --install "$build" --component engine --prefix "$engine" >/dev/null
    local example
    for example in stars:stars first-game:dodge snake:snake; do
        rm -rf "$build/${example%%:*}"
        cmake -S "$root/examples/${example%%:*}" -B "$build/${example%%:*}" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DZP_WINDOWS_DEPS="$prefix" -DCMAKE_BUILD_TYPE=Release -Dzp_DIR="$engine/lib/cmake/zp" >/dev/null
        nice cmake --build "$build/${example%%:*}" -j"$jobs" >/dev/null
        ls "$build/${example%%:*}/${example#*:}.exe"
    done
}

# --- 5. the tests under Wine ------------------------------------------------

prepare_wine() {
    # Made once, before tests start side by side.
    "$build/wine-run" cmd /c exit
}
run_tests() {
    (cd "$build" && ctest --output-on-failure -j"$jobs" "$@")
}

timed "toolchain: Debian packages" install_packages
ensure_deps
[ "$what" = deps ] && exit 0
if [ "$what" != test ]; then
    timed "project: configure" configure_project
    timed "project: engine, game, tests, tools" build_project
    timed "project: release zip" build_zip
    timed "project: example on the engine" build_example
fi
[ "$what" = build ] && exit 0
timed "tests: Wine prefix" prepare_wine
timed "tests: under Wine" run_tests "$@"
