#!/bin/sh
# The orrim program end to end: what it prints, and how it fails. A second
# argument runs it through that program (wine, for the Windows build).
set -u
orrim=$1
runner=${2:-}
data=$(dirname "$0")/data
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0

# A runner that cannot run the program at all says so with the status 77.
if [ -n "$runner" ]; then
    $runner "$orrim" --help >/dev/null
    [ $? = 77 ] && exit 77
fi

check() {  # name, expected status, expected stdout file, then the arguments
    name=$1 status=$2 expected=$3
    shift 3
    $runner "$orrim" "$@" >"$out/raw" 2>"$out/stderr"
    got=$?
    # A Windows program writes its text-mode newlines as CR LF.
    tr -d '\r' <"$out/raw" >"$out/stdout"
    if [ "$got" != "$status" ]; then
        echo "FAIL $name: exit status $got, expected $status"; cat "$out/stderr"; failures=$((failures + 1)); return
    fi
    if ! printf '%s' "$expected" | cmp -s - "$out/stdout"; then
        echo "FAIL $name: standard output differs:"; printf '%s' "$expected" | diff - "$out/stdout"
        failures=$((failures + 1)); return
    fi
    echo "ok $name"
}

menu='Tools menu:
  Select non-planar surfaces  [orrim plugin_select_non_planar]  Select surfaces that are non-planar
'

check builtin_scene 0 "${menu}Message: non-planar surfaces detected: 3
Selection (surface mode): 3 surfaces
  vents:2
  trim:1
  roof:2
"
check object_mode_with_undo 0 "${menu}Message: non-planar surfaces detected: 3
Selection (object mode): 3 objects
  vents
  trim
  roof
After undo, selection (object mode): 0 objects
" --mode object --undo

check obj_file 0 "${menu}Message: non-planar surfaces detected: 1
Selection (vertex mode): 1 surfaces
  bent_panel:1
" --mode vertex "$data/bent_panels.obj"

# As a modeller exports: CRLF, a bare g, colours, texture and normal indices,
# a continued face, a line and a curve that is skipped with a warning.
check exporter_obj_file 0 "${menu}Message: non-planar surfaces detected: 1
Selection (surface mode): 1 surfaces
  default:1
" "$data/exporter.obj"
grep -q 'exporter.obj: skipped what carries no polygon: 1 cstype, 1 curv, 1 deg, 1 end, 1 parm' "$out/stderr" ||
    { echo "FAIL exporter_obj_file: stderr says: $(cat "$out/stderr")"; failures=$((failures + 1)); }

check malformed_obj_file 1 "" "$data/malformed.obj"
grep -q 'malformed.obj:6: vertex index 7 refers to no vertex: the file defines 3' "$out/stderr" ||
    { echo "FAIL malformed_obj_file: stderr says: $(cat "$out/stderr")"; failures=$((failures + 1)); }

check old_host_refused 1 "plugin_select_non_planar: this plugins requires Orrim 4
" --host-version 3.99
grep -q 'refused to start' "$out/stderr" || { echo "FAIL old_host_refused: stderr"; failures=$((failures + 1)); }

check missing_module 1 "" --module "$out/none.p"
check unknown_command 1 "$menu" --command "orrim plugin_none"
grep -q 'unknown command "plugin_none"' "$out/stderr" || { echo "FAIL unknown_command: stderr"; failures=$((failures + 1)); }
check bad_mode 2 "" --mode edge

check svg_view 0 "${menu}Message: non-planar surfaces detected: 1
Selection (surface mode): 1 surfaces
  bent_panel:1
" --svg "$out/view.svg" "$data/bent_panels.obj"
if [ "$(grep -c '<polygon' "$out/view.svg")" != 4 ] || [ "$(grep -c '<polyline' "$out/view.svg")" != 1 ] ||
   [ "$(grep -c 'stroke="#c00000"' "$out/view.svg")" != 1 ] || ! grep -q '<title>bent_panel:1</title></polygon>' "$out/view.svg"; then
    echo "FAIL svg_view: the view does not draw four faces and a line with one highlighted"; failures=$((failures + 1))
fi

[ "$failures" = 0 ] && echo "all orrim program checks passed"
exit "$failures"
