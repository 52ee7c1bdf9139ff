#!/bin/sh
# The release zip for Windows players: unpacked into an empty folder, it holds
# the program, its DLLs, the game data, the font with its licence and the
# README, and the program replays a regression game headless from there
# (under wine64) to the final state the Linux build reaches.
#   release-zip-test.sh ZIP WINE_RUN RECORDING.rec
set -u
zip=$1
wine_run=$2
recording=$3
expected=${recording%.rec}.final

if [ ! -f "$zip" ]; then
    echo "FAIL: no release zip at $zip (cmake --build build-windows --target windows_zip makes it)"
    exit 1
fi
run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
mkdir "$run_dir/unpacked" "$run_dir/elsewhere"
unzip -q "$zip" -d "$run_dir/unpacked" || { echo "FAIL: unzip"; exit 1; }

# One folder at the top, holding what a player needs.
folder=$(ls "$run_dir/unpacked")
if [ "$(echo "$folder" | wc -l)" -ne 1 ] || [ ! -d "$run_dir/unpacked/$folder" ]; then
    echo "FAIL: the zip should hold one folder, it holds: $folder"
    exit 1
fi
game=$run_dir/unpacked/$folder
failures=0
for file in cinderwatch.exe sfml-graphics-2.dll sfml-window-2.dll sfml-audio-2.dll sfml-system-2.dll \
    OpenAL32.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zp-font.ttf zp-font-licence.txt \
    README.txt GameData/Levels/Level1/Level1.txt licences/libsfml.txt licences/openal-soft.txt \
    licences/freetype.txt licences/flac.txt licences/libogg.txt licences/libvorbis.txt; do
    if [ ! -s "$game/$file" ]; then
        echo "FAIL: $file is missing from the zip"
        failures=$((failures + 1))
    fi
done
if ! grep -q "Bitstream" "$game/zp-font-licence.txt" 2>/dev/null; then
    echo "FAIL: zp-font-licence.txt does not hold the font's licence"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1

# Started from another folder, as a shortcut would: the program finds its
# font and data beside itself, and the log goes to the working folder.
cp "$recording" "$run_dir/elsewhere/game.rec"
cd "$run_dir/elsewhere" || exit 1
"$wine_run" "$game/cinderwatch.exe" --replay game.rec --headless >output.txt 2>errors.txt
status=$?
tr -d '\r' <output.txt >output-lf.txt
cat output-lf.txt errors.txt
if [ "$status" -ne 0 ]; then
    echo "FAIL: the replay from the unpacked zip ended with status $status"
    exit 1
fi
if [ "$(head -n 1 output-lf.txt)" != "$(cat "$expected")" ]; then
    echo "FAIL: the final state is not the one in $expected:"
    cat "$expected"
    exit 1
fi
if [ ! -s zephane.log ]; then
    echo "FAIL: no zephane.log in the working folder"
    exit 1
fi
echo "OK: $(head -n 1 output-lf.txt)"
