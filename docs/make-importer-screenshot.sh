#!/bin/sh
# Makes docs/quill-importer.png, the README's first picture: Quill.exe under
# Wine with the sample photo loaded at the start-up settings, its section with
# the prop grid and the section's preview in the chat palette. Run it again
# when the window changes; it builds what it needs.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
QUILL_SCREENSHOT="$root/docs/quill-importer.png" "$root/scripts/quill" "$root/tests/data/photo.jpg"
