#!/bin/sh
# Reads the headers of the built Windows DLL: a PE32 DLL for i386 exporting
# exactly the four entry points with ordinals in name order, importing the
# fifteen host functions by name from orrim.exe and otherwise only from the
# system, and computing with SSE2 rather than the x87 unit. The plug-in's own
# object code must also be safe to call from a host with only 4-byte stack
# alignment and any x87 state (check_plugin_code.awk).
set -u
objdump=$1
dll=$2
plugin_object=$3
here=$(dirname "$0")
headers=$("$objdump" -p "$dll")
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

echo "$headers" | grep -q 'file format pei-i386' || fail "not a PE32 file for i386"
echo "$headers" | grep -Eq '^Characteristics .*' && echo "$headers" | grep -q 'DLL' || fail "not a DLL"

# The export table: with ordinal base 1, a name whose ordinal-table entry is
# [i] has the ordinal i + 1.
echo "$headers" | grep -q 'Export Address Table -- Ordinal Base 1' || fail "ordinal base is not 1"
exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -nE 's/^\s*\[\s*([0-9]+)\]\s+(\S+)$/\1 \2/p' | tr '\n' ';')
[ "$exports" = "0 OrrimPluginAbout;1 OrrimPluginExit;2 OrrimPluginInfo;3 OrrimPluginInit;" ] ||
    fail "exports (ordinal - 1, name) are: $exports"
addresses=$(echo "$headers" | sed -n '/Export Address Table -- Ordinal Base/,/^$/p' | grep -c 'Export RVA')
[ "$addresses" = 4 ] || fail "export address table has $addresses entries, not 4"

dlls=$(echo "$headers" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort | tr '\n' ' ')
for name in $dlls; do
    case "$name" in
    orrim.exe | kernel32.dll | msvcrt.dll | user32.dll | api-ms-win-*) ;;
    *) fail "imports from $name, which is not the host or the system" ;;
    esac
done
echo "$dlls" | grep -q 'orrim.exe' || fail "imports nothing from orrim.exe"

# The names imported from orrim.exe, up to the next DLL Name line.
host_imports=$(echo "$headers" | awk '/DLL Name: orrim.exe/ {inside=1; next} /DLL Name:/ {inside=0} inside && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print $3}' |
    sort | tr '\n' ' ')
expected="add_undoable_change_selection clear_selection display_message list_add_item_head list_count list_free object_get_kids orrim_add_command orrim_add_tools_menu_item orrim_get_version_number orrim_get_world orrim_object_get_surfacelist orrim_selection_select_by_surfaces redraw_all surface_get_type "
[ "$host_imports" = "$expected" ] || fail "imports from orrim.exe: $host_imports"

# The plug-in's own code, from its first function to DllMain, computes with
# SSE2 alone: loads and stores remain for the calling convention's float
# returns, but no x87 sum, product, quotient or root, and no call out to a
# library square root.
own_code=$("$objdump" -d "$dll" | awk '/^[0-9a-f]+ <_surface_is_planar>:/ {inside=1} inside {print} inside && /^[0-9a-f]+ <_DllMain@12>:/ {done=1} done && /ret/ {exit}')
[ -n "$own_code" ] || fail "the plug-in's functions are not in the disassembly"
x87=$(echo "$own_code" | grep -Ec '\s(fadd|faddp|fsub|fsubp|fsubr|fsubrp|fmul|fmulp|fdiv|fdivp|fdivr|fdivrp|fsqrt|fiadd|fimul)\s' || true)
[ "$x87" = 0 ] || fail "$x87 x87 arithmetic instructions in the plug-in's code"
echo "$own_code" | grep -q 'sqrtsd' || fail "no SSE2 square root in the plug-in's code"
echo "$own_code" | grep -q 'call.*<_sqrt>' && fail "the plug-in calls the library square root"

hazards=$("$objdump" -d "$plugin_object" | awk -f "$here/check_plugin_code.awk")
[ -z "$hazards" ] || fail "the plug-in's code would trip a host:
$hazards"

[ "$failures" = 0 ] && echo "DLL headers as expected"
exit "$failures"
