#!/usr/bin/env bash
# Checks that every source file includes only downwards: its own layer or a lower one, as listed
# in <src>/layers.txt, and that no file of a core layer includes SDL. Prints each offending file,
# line and include, and exits 1 when there is any; exits 2 when the layer list cannot be read.
# Usage: check-layers.sh [SRC_DIR]   (default: the repository's src/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
src="$(cd "${1:-$root/src}" && pwd)"
layers="$src/layers.txt"
if [[ ! -r "$layers" ]]; then
    echo "check-layers: cannot read $layers" >&2
    exit 2
fi
cd "$src"

# Every file's path relative to src/, so that layer names match path prefixes.
find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||' | LC_ALL=C sort |
    awk -v layers="$layers" '
    BEGIN {
        count = 0
        while ((getline line < layers) > 0) {
            sub(/#.*/, "", line)
            n = split(line, field, /[ \t]+/)
            name = ""; core = 0
            for (i = 1; i <= n; ++i) {
                if (field[i] == "") continue
                if (name == "") name = field[i]
                else if (field[i] == "core") core = 1
            }
            if (name == "") continue
            sub(/\/+$/, "", name)
            ++count; layerName[count] = name; layerCore[count] = core
        }
        if (count == 0) { print "check-layers: no layers in " layers > "/dev/stderr"; fatal = 2; exit }
        bad = 0
    }
    # The rank of the longest layer whose name is the path or a folder prefix of it; 0 for none.
    function rankOf(path,    i, best, bestLength, name) {
        best = 0; bestLength = -1
        for (i = 1; i <= count; ++i) {
            name = layerName[i]
            if ((path == name || index(path, name "/") == 1) && length(name) > bestLength) {
                best = i; bestLength = length(name)
            }
        }
        return best
    }
    function report(file, lineNumber, text, why) {
        printf "%s:%d: %s  (%s)\n", file, lineNumber, text, why
        bad = 1
    }
    {
        file = $0
        own = rankOf(file)
        if (own == 0) {
            print file ": the folder is in no layer of layers.txt"
            bad = 1
            next
        }
        folder = file
        if (!sub(/\/[^\/]*$/, "", folder)) folder = ""
        lineNumber = 0
        while ((getline text < file) > 0) {
            ++lineNumber
            if (text !~ /^[ \t]*#[ \t]*include[ \t]*[<"]/) continue
            if (layerCore[own] && text ~ /[<"\/]SDL[^\/]*\.h[>"]/) {
                report(file, lineNumber, text, layerName[own] " is core and may not include SDL")
                continue
            }
            if (text !~ /"/) continue
            target = text
            sub(/^[^"]*"/, "", target)
            sub(/".*$/, "", target)
            # A name without a folder is looked up beside the including file.
            if (index(target, "/") == 0 && folder != "") target = folder "/" target
            to = rankOf(target)
            # Headers outside src/ (a library found on the include path) belong to no layer.
            if (to > own)
                report(file, lineNumber, text, layerName[own] " may not include " layerName[to])
        }
        close(file)
    }
    END { exit fatal ? fatal : bad }'
