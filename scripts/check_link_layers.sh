#!/usr/bin/env bash
# Fails when a library of the program uses a symbol that only a library above
# it defines: a call that goes up a layer (see the top CMakeLists.txt). Static
# libraries linked in one order would let such a call through whenever the
# symbol happened to be pulled in already.
#
#   check_link_layers.sh LIBRARY --allowed LIB... --all LIB...
# allowed: the library itself and every library it is linked with; all: every
# library of the program.
set -euo pipefail
lib=$1
shift
[ "$1" = "--allowed" ] || { echo "usage: $0 LIBRARY --allowed LIB... --all LIB..." >&2; exit 2; }
shift
allowed=()
while [ $# -gt 0 ] && [ "$1" != "--all" ]; do allowed+=("$1"); shift; done
shift
all=("$@")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Strong definitions (code, data, read-only data, bss) of the given archives.
defined() { nm --defined-only "$@" 2>/dev/null | awk 'NF == 3 && $2 ~ /^[TDBR]$/ { print $3 }' | sort -u; }

nm --undefined-only "$lib" 2>/dev/null | awk '$1 == "U" { print $2 }' | sort -u > "$tmp/undefined"
defined "${allowed[@]}" > "$tmp/allowed"
defined "${all[@]}" > "$tmp/program"
# Used, defined by the program, but not by the library or what it is linked with.
comm -12 "$tmp/undefined" "$tmp/program" | comm -23 - "$tmp/allowed" > "$tmp/upward"
if [ -s "$tmp/upward" ]; then
  echo "$(basename "$lib") uses symbols of a library above it:" >&2
  c++filt < "$tmp/upward" | head -20 | sed 's/^/  /' >&2
  exit 1
fi
