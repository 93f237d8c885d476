#!/bin/sh
# Draws the README's screenshots with the GUI tests, offscreen (no display needed):
#   tools/update-screenshots.sh [BUILD_FOLDER] [OUTPUT_FOLDER]
# BUILD_FOLDER defaults to build/, OUTPUT_FOLDER to docs/screenshots/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
output=${2:-$root/docs/screenshots}
mkdir -p "$output"
MARQUEE_SCREENSHOT_DIR=$output QT_QPA_PLATFORM=offscreen \
  "$build/bin/composer_test" --gtest_filter='TourScreenshots.*' --gtest_brief=1 >/dev/null
for picture in tour_messages tour_preview tour_pc_communication tour_marquee_communication tour_message_database; do
  [ -s "$output/$picture.png" ] || { echo "update-screenshots: $picture.png was not drawn" >&2; exit 1; }
done
echo "Screenshots drawn into $output"
