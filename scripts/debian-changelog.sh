#!/bin/sh
# Writes the Debian changelog of the package from CHANGELOG.md, gzipped as Debian wants it:
#   scripts/debian-changelog.sh CHANGELOG.md "NAME <EMAIL>" OUT.gz
# Every "## VERSION - YYYY-MM-DD" section becomes an entry, its "- " lines (and their indented
# continuations) the entry's items.
set -eu
[ $# -eq 3 ] || { echo "usage: $0 CHANGELOG.md MAINTAINER OUT.gz" >&2; exit 2; }
markdown=$1 maintainer=$2 out=$3

plain=${out%.gz}
awk -v maintainer="$maintainer" '
function trailer(   command, stamp) {
    if (version == "") return
    command = "date -u -R -d \"" day " 12:00\""
    command | getline stamp
    close(command)
    printf "\n -- %s  %s\n", maintainer, stamp
}
/^## / {
    trailer()
    if (version != "") print ""
    version = $2
    day = $4
    printf "tonefalls (%s) unstable; urgency=medium\n\n", version
    next
}
version != "" && /^- / { sub(/^- /, "  * "); print; next }
version != "" && /^  [^ ]/ { sub(/^  /, "    "); print; next }
END {
    if (version == "") { print "no \"## VERSION - DATE\" section" > "/dev/stderr"; exit 1 }
    trailer()
}
' "$markdown" >"$plain"
gzip -9nf "$plain"
