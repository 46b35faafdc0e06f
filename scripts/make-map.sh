#!/bin/sh
# Writes the map file of a program from its symbols and line tables, in the
# shapes the crash report reads (core/MapFile.h): code units by address
# range, public symbols by address, and line numbers per unit. Offsets count
# from the program's load address plus $1000.
# Usage: make-map.sh <executable> <map file>
set -eu
exe=$1
out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The lowest loaded address (0 for a position-independent program).
base=$(readelf -lW "$exe" | awk '$1 == "LOAD" { print $3; exit }')
[ -n "$base" ] || base=0x0

HEX='function h2d(s,   n, i) {
    s = tolower(s); sub(/^0x/, "", s); n = 0
    for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return n
}'

# Line rows of our own sources (.cpp): "offset unit line path", one per line
# change. The unit is the file name without folder or extension, whichever
# folder the compiler names it with; line 0 (code of no source line) is left out.
objdump --dwarf=decodedline "$exe" | awk -v base="$base" "$HEX"'
    BEGIN { origin = h2d(base) + 4096 }
    /:$/ && NF <= 2 { file = $NF; sub(/:$/, "", file); next }
    NF >= 3 && $2 ~ /^[1-9][0-9]*$/ && $3 ~ /^(0x[0-9a-f]+|0)$/ {
        if ($1 !~ /\.(cpp|c|cc)$/ || file ~ /^\/usr\//) next
        off = h2d($3) - origin
        if (off < 0) next
        unit = $1; sub(/^.*\//, "", unit); sub(/\.[^.]*$/, "", unit)
        path = file; if (path !~ ("(^|/)" $1 "$")) path = $1
        if (unit == lastUnit && $2 == lastLine) next
        lastUnit = unit; lastLine = $2
        printf "%d %s %s %s\n", off, unit, $2, path
    }' | sort -s -n -k1,1 >"$tmp/lines"

# Code symbols by address.
nm -C --defined-only -n "$exe" | awk -v base="$base" "$HEX"'
    BEGIN { origin = h2d(base) + 4096 }
    $2 ~ /^[tTwW]$/ {
        off = h2d($1) - origin
        if (off < 0) next
        name = $0; sub(/^[^ ]+ [^ ]+ /, "", name)
        printf " 0001:%08X       %s\n", off, name
    }' >"$tmp/publics"

awk '
    { off[NR] = $1; unit[NR] = $2; line[NR] = $3; path[$2] = $4 }
    END {
        n = NR
        total = n ? off[n] + 256 : 0
        print ""
        print " Start         Length     Name                   Class"
        printf " 0001:00000000 %08X H .text                  CODE\n", total
        print ""
        print "Detailed map of segments"
        print ""
        # Consecutive rows of one unit form one range.
        for (i = 1; i <= n; i = j) {
            for (j = i + 1; j <= n && unit[j] == unit[i]; j++) ;
            end = j <= n ? off[j] - 1 : off[n] + 255
            printf " 0001:%08X %08X C=CODE     S=.text    G=(none)   M=%s ACBP=A9\n", off[i], end - off[i], unit[i]
        }
        print ""
        print "  Address         Publics by Value"
        print ""
        while ((getline p < publics) > 0) print p
        print ""
        units = 0
        for (i = 1; i <= n; i++) {
            u = unit[i]
            if (!(u in count)) { order[++units] = u; count[u] = 0 }
            k = ++count[u]
            rows[u, k] = sprintf("%6d 0001:%08X", line[i], off[i])
        }
        for (k = 1; k <= units; k++) {
            u = order[k]
            print ""
            printf "Line numbers for %s(%s) segment .text\n", u, path[u]
            print ""
            text = ""
            for (m = 1; m <= count[u]; m++) {
                text = text " " rows[u, m]
                if (m % 4 == 0 || m == count[u]) { print text; text = "" }
            }
        }
        print ""
    }' publics="$tmp/publics" "$tmp/lines" >"$out.tmp"
mv "$out.tmp" "$out"
