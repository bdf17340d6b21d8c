#!/bin/sh
# The release package: a zip of exactly the stripped DLL and its install
# text, and beside it the DLL's debug information, which the DLL names
# together with the file's CRC-32 (.gnu_debuglink).
set -u
objdump=$1
zip=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
debug_file=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
version=$4
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

listing=$(cmake -E tar tf "$zip" | tr '\n' ' ')
[ "$listing" = "select_nonplanar.p INSTALL.txt " ] || fail "the zip holds: $listing"
(cd "$out" && cmake -E tar xf "$zip") || fail "the zip cannot be unpacked"
dll=$out/select_nonplanar.p

sections=$("$objdump" -h "$dll" | awk '$1 ~ /^[0-9]+$/ {print $2}' | tr '\n' ' ')
case "$sections" in *.debug_*) fail "the DLL still holds debug sections: $sections" ;; esac
"$objdump" -t "$dll" | grep -q 'no symbols' || fail "the DLL still has a symbol table"
"$objdump" -h "$debug_file" | grep -q '\.debug_info' || fail "the debug file holds no debug information"

# The link: the file name, NUL padding to 4 bytes, then the CRC-32 of the
# debug file, little-endian; gzip's trailer holds the same CRC-32.
link=$("$objdump" -s -j .gnu_debuglink "$dll" | awk '/^ [0-9a-f]+ / {print $2 $3 $4 $5}' | tr -d '\n')
name_hex=$(printf 'select_nonplanar.p.debug' | od -An -tx1 | tr -d ' \n')
crc_hex=$(gzip -c "$debug_file" | tail -c8 | head -c4 | od -An -tx1 | tr -d ' \n')
[ "$link" = "${name_hex}00000000${crc_hex}" ] || fail "the DLL's debug link is $link, not to select_nonplanar.p.debug with CRC $crc_hex"

install_text=$(tr -d '\r' <"$out/INSTALL.txt")
for words in "$version" "plug-in folder" "4.0 or later" "SSE2"; do
    case "$install_text" in *"$words"*) ;; *) fail "INSTALL.txt does not say \"$words\"" ;; esac
done

[ "$failures" = 0 ] && echo "release package as expected"
exit "$failures"
