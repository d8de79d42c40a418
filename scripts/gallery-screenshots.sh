#!/bin/sh
# Draws the skin gallery in each built-in style, without a display, as
# docs/gallery_<style>.png. Each style shows another page, so the pictures
# together show every family of skinned controls.
# Usage: scripts/gallery-screenshots.sh PELLAMO_GALLERY [DOCS_DIR]
set -eu
gallery=$1
docs=${2:-$(dirname "$0")/../docs}
# A sanitizer build reports the leaks of the libraries it links at exit.
export ASAN_OPTIONS=detect_leaks=0
for shot in MacOS:Buttons WinXP:Checks DeepBlue:Edits Protein:Panels BlueGlass:Menus; do
    style=${shot%%:*}
    page=${shot#*:}
    "$gallery" --style "$style" --page "$page" --screenshot "$docs/gallery_$style.png"
    echo "$docs/gallery_$style.png ($page)"
done
