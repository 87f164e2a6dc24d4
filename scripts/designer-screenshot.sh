#!/usr/bin/env bash
# Starts Qt Designer under Xvfb with the QXInspectorDesign plugin of a build tree, opens a form holding the
# library's widgets, shows only the "VESK" group in the widget box and writes a screenshot of the screen;
# then opens the object inspector's presets in the design-time editor (a double click) and writes a second
# one next to the first (<name>-presets.png).
# Usage: bash scripts/designer-screenshot.sh [build dir (build/dev)] [png (<build dir>/designer-vesk.png)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/dev}")
out=$(realpath -m "${2:-$build/designer-vesk.png}")
plugin_dir="$build/plugins/designer"
if ! ls "$plugin_dir"/libQXInspectorDesign.so >/dev/null 2>&1; then
  echo "No plugin in $plugin_dir: cmake --build $build --target QXInspectorDesign" >&2
  exit 1
fi
designer=/usr/lib/qt6/bin/designer
[ -x "$designer" ] || designer=$(command -v designer)

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, and settings of our own so that the user's Designer settings stay untouched.
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display QT_QPA_PLATFORM=xcb
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 300); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The form: one of each of the library's widgets.
cat >"$work/vesk.ui" <<'UI'
<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>VeskForm</class>
 <widget class="QWidget" name="VeskForm">
  <property name="geometry"><rect><x>0</x><y>0</y><width>520</width><height>340</height></rect></property>
  <widget class="TQXItemListEditor" name="itemListEditor">
   <property name="geometry"><rect><x>10</x><y>10</y><width>240</width><height>160</height></rect></property>
  </widget>
  <widget class="TQXObjectInspector" name="objectInspector">
   <property name="geometry"><rect><x>270</x><y>10</y><width>240</width><height>320</height></rect></property>
  </widget>
  <widget class="TQXDBInspector" name="dbInspector">
   <property name="geometry"><rect><x>10</x><y>180</y><width>240</width><height>150</height></rect></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget>
   <class>TQXItemListEditor</class><extends>QAbstractScrollArea</extends>
   <header location="global">QXInspector/QXItemListEditor.h</header>
  </customwidget>
  <customwidget>
   <class>TQXObjectInspector</class><extends>QAbstractScrollArea</extends>
   <header location="global">QXInspector/QXObjectInspector.h</header>
  </customwidget>
  <customwidget>
   <class>TQXDBInspector</class><extends>TQXItemListEditor</extends>
   <header location="global">QXInspector/QXDBInspector.h</header>
  </customwidget>
 </customwidgets>
</ui>
UI

QT_PLUGIN_PATH="$build/plugins" "$designer" "$work/vesk.ui" >"$work/designer.log" 2>&1 &
pids+=($!)
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name "Qt Designer" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "Qt Designer did not open a window; its output:" >&2
  cat "$work/designer.log" >&2
  exit 1
fi
xdotool windowsize "$window" 1400 900 windowmove "$window" 0 0 >/dev/null 2>&1 || true
sleep 2
# Fresh settings on a 1400x900 screen give Designer's docked layout, always in the same place: filter the
# widget box down to the library's group, select the object inspector on the form and filter the property
# editor down to its presets.
type_into() { xdotool mousemove "$1" "$2" click --repeat 3 1 type --delay 20 "$3"; sleep 0.5; }
type_into 125 91 "TQX"
xdotool mousemove 1110 186 click 1
sleep 0.5
type_into 1090 355 "Presets"
xdotool mousemove 700 700
sleep 1
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "$out"

# A double click on the object inspector of the form runs its preferred edit action, "Edit Presets...";
# the editor's Add button then adds two presets (the second one stays selected, shown below the list).
xdotool mousemove 650 260 click --repeat 2 --delay 80 1
sleep 2
xdotool mousemove 601 299 click 1 sleep 0.5 click 1
sleep 1.5
presets="${out%.png}-presets.png"
import -window root "$presets"
echo "$presets"
