#!/bin/sh
# Draws the skin gallery without a display, two pages in each built-in style,
# as docs/gallery_<style>_<page>.png: together the ten pictures show every
# page, so every family of skinned controls, and every style.
# Usage: scripts/gallery-screenshots.sh PELLAMO_GALLERY [DOCS_DIR]
set -eu
gallery=$1
docs=${2:-$(dirname "$0")/../docs}
# A sanitizer build reports the leaks of the libraries it links at exit.
export ASAN_OPTIONS=detect_leaks=0
for shot in MacOS:Buttons MacOS:Views WinXP:Checks WinXP:Groups DeepBlue:Edits DeepBlue:Notification \
            Protein:Panels Protein:Windows BlueGlass:Menus "BlueGlass:Scroll bars"; do
    style=${shot%%:*}
    page=${shot#*:}
    file="$docs/gallery_${style}_$(echo "$page" | tr ' ' '_').png"
    "$gallery" --style "$style" --page "$page" --screenshot "$file"
    echo "$file ($page)"
done
