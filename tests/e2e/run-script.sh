#!/bin/sh
# Plays one end-to-end script with the reference host, headless, in a fresh
# folder for its settings, data and screenshots.
set -eu
program=$1
script=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
cd "$work"
exec "$program" --headless --script "$script" --config-dir "$work/config" --data-dir "$work/data"
