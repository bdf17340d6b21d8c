#!/bin/sh
# The built module exports its four entry points and nothing else of its own,
# and leaves the fifteen host functions to the program that loads it.
set -eu
module=$1
exported=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
expected="OrrimPluginAbout OrrimPluginExit OrrimPluginInfo OrrimPluginInit "
if [ "$exported" != "$expected" ]; then
    echo "exports: $exported"; echo "expected: $expected"; exit 1
fi
undefined=$(nm -D --undefined-only "$module" | awk '{print $2}' | grep -v '@' | grep -v '^_' | sort | tr '\n' ' ')
host="add_undoable_change_selection clear_selection display_message list_add_item_head list_count list_free object_get_kids orrim_add_command orrim_add_tools_menu_item orrim_get_version_number orrim_get_world orrim_object_get_surfacelist orrim_selection_select_by_surfaces redraw_all surface_get_type "
if [ "$undefined" != "$host" ]; then
    echo "imports: $undefined"; echo "expected: $host"; exit 1
fi
echo "module symbols as expected"
