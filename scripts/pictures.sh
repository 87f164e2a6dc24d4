#!/usr/bin/env bash
# Renders the demo offscreen and refreshes the pictures the README shows (docs/images/).
set -euo pipefail
cd "$(dirname "$0")/.."
QT_QPA_PLATFORM=offscreen bash scripts/demo.sh --screenshot >/dev/null
# qx-inspect attached to the demo, its inspector on the OK button of the form.
cmake --build build/demo --target qx-inspect >/dev/null
(cd build/screenshots && QT_QPA_PLATFORM=offscreen ../demo/src/attach/qx-inspect --select OkButton \
   --screenshot qx-inspect-demo.png ../demo/examples/qxdemo >/dev/null)
mkdir -p docs/images
for picture in qxinspector-font qxinspector-presets qxdemo-vertical qxdemo-dbinspector qxdialog-collection \
               qxdialog-listitems qxinspector-search qxinspector-qtlook qxinspector-rowmenu qx-inspect-demo; do
  cp "build/screenshots/$picture.png" "docs/images/$picture.png"
  echo "docs/images/$picture.png"
done
