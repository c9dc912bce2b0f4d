#!/usr/bin/env bash
# Takes the user guide's screenshots from the real program under Xvfb: tools/screenshots.sh [BUILD]
# Needs xvfb, xdotool, imagemagick and poppler-utils (apt-get install xvfb xdotool imagemagick
# poppler-utils). Rerun it after a visible change and look at every picture in docs/ before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
docs=$PWD/docs
examples=$PWD/examples
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
(cd "$work" && exec "$OLDPWD/$build/src/app/brimvale") >/dev/null 2>&1 &
app=$!
sleep 2

# The window has no frame (there is no window manager): its client area starts at the screen's corner.
# Small files: three quarters of the size, at most 128 colours.
shot() { import -window root -crop "${2:-840x530+0+0}" +repage -resize 75% +dither -colors 128 "PNG8:$docs/guide-$1.png"; }
clickat() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click "${3:-1}"; sleep 0.8; }
# Answers the file dialog that is open with a path.
choose() {
    xdotool windowfocus "$(xdotool search --name "Open|Save" | tail -1)" 2>/dev/null || true
    sleep 0.3
    xdotool type --delay 15 "$1"
    xdotool key Return
    sleep 1.5
}

shot start
clickat 168 48 && choose "$examples/core-record.csv"
clickat 368 48 && choose "$examples/corvane-matrix.csv"
xdotool mousemove 311 271 && xdotool mousedown 1 && xdotool mousemove 346 271 && xdotool mouseup 1 && sleep 1
shot imported
clickat 568 48 && sleep 1
shot calibrated
clickat 744 418 && sleep 1
shot section-view
clickat 744 418
clickat 744 450 && sleep 1
shot colour-dialog 1260x530+0+0
kill "$app"

"$build/src/cli/brimvale-batch" reconstruct --data "$examples/core-record.csv" --matrix "$examples/corvane-matrix.csv" \
    --smoothing 3 --out "$work/section.csv" --page "$work/page.pdf" --title "Quercus record, July temperature"
pdftoppm -png -r 60 -singlefile "$work/page.pdf" "$work/page"
convert "$work/page.png" +dither -colors 64 "PNG8:$docs/guide-page.png"
echo "written: $(ls "$docs"/guide-*.png | tr '\n' ' ')"
