#!/bin/sh
# upward-uses.sh NAME USES OBJECTS [NAME USES OBJECTS]...: fails when a layer's objects use a
# symbol (call a function, read data) that only a layer it may not use defines. USES is a comma
# list of layer names ("-" for none), OBJECTS a colon list of object files.
set -eu
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
names=""
while [ $# -ge 3 ]; do
    names="$names $1"
    echo "$2" | tr ',' '\n' >"$dir/$1.uses"
    echo "$3" | tr ':' '\n' >"$dir/$1.objects"
    xargs nm -g --defined-only <"$dir/$1.objects" | awk 'NF == 3 { print $3 }' | sort -u >"$dir/$1.defs"
    xargs nm -g --undefined-only <"$dir/$1.objects" | awk 'NF == 2 { print $2 }' | sort -u >"$dir/$1.undefs"
    [ -s "$dir/$1.defs" ] || { echo "$1: no symbols in its objects"; exit 1; }
    shift 3
done
[ $# -eq 0 ] || { echo "usage: $0 NAME USES OBJECTS..."; exit 2; }
bad=0
for from in $names; do
    # what the layer itself and the layers it may use define (inline functions sit in several)
    cat "$dir/$from.defs" >"$dir/ok"
    while read -r use; do [ "$use" = "-" ] || cat "$dir/$use.defs" >>"$dir/ok"; done <"$dir/$from.uses"
    sort -u -o "$dir/ok" "$dir/ok"
    for to in $names; do
        [ "$to" = "$from" ] && continue
        comm -12 "$dir/$from.undefs" "$dir/$to.defs" | comm -23 - "$dir/ok" >"$dir/hits"
        if [ -s "$dir/hits" ]; then
            echo "$from uses $to, which it may not use:"
            c++filt <"$dir/hits" | sed 's/^/  /'
            bad=1
        fi
    done
done
exit $bad
