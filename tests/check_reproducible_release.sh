#!/bin/sh
# Two clean builds of the release, from copies of the source in folders of
# different names, give the same bytes: the DLL, its debug file and the zip.
set -u
source=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
release=release/select_nonplanar-$version-win32

for copy in one a-longer-folder-name/two; do
    mkdir -p "$work/$copy"
    tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/$copy" -xf -
    (cd "$work/$copy" && cmake --workflow --preset release >"$work/build.log" 2>&1) ||
        { cat "$work/build.log"; echo "FAIL: the release does not build in $copy"; exit 1; }
done

failures=0
for file in bin/select_nonplanar.p release/select_nonplanar.p.debug "$release.zip"; do
    if cmp "$work/one/build/release/$file" "$work/a-longer-folder-name/two/build/release/$file"; then
        echo "same bytes: $file"
    else
        echo "FAIL: $file differs between the two builds"; failures=$((failures + 1))
    fi
done
exit "$failures"
