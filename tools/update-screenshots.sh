#!/bin/sh
# Draws the README's screenshots with the tour program, offscreen (no display needed), at 100 %
# (name.png) and at 200 % (name@2x.png, QT_SCALE_FACTOR=2):
#   tools/update-screenshots.sh [BUILD_FOLDER] [OUTPUT_FOLDER]
# BUILD_FOLDER defaults to build/, OUTPUT_FOLDER to docs/screenshots/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
output=${2:-$root/docs/screenshots}
mkdir -p "$output"
for scale in 1 2; do
  MARQUEE_SCREENSHOT_DIR=$output QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
    "$build/bin/tour_screenshots" --gtest_brief=1 >/dev/null
done
for picture in tour_messages tour_preview tour_pc_communication tour_marquee_communication tour_message_database; do
  for file in "$picture.png" "$picture@2x.png"; do
    [ -s "$output/$file" ] || { echo "update-screenshots: $file was not drawn" >&2; exit 1; }
  done
done
echo "Screenshots drawn into $output"
