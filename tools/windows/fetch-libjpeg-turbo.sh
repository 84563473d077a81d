#!/bin/sh
# Fetches and unpacks Debian's libjpeg-turbo source package into the folder
# given, from the same Debian archive the machine installs its packages from.
# Adds a deb-src entry for that archive when there is none (this needs root).
# Prints the unpacked source folder.
set -eu

dest=${1:?usage: fetch-libjpeg-turbo.sh DEST-FOLDER}
package=libjpeg-turbo
deb822_list=/etc/apt/sources.list.d/celestrix-deb-src.sources
one_line_list=/etc/apt/sources.list.d/celestrix-deb-src.list

have_deb_src() {
    apt-get indextargets --no-release-info 'Created-By: Sources' 2>/dev/null | grep -q .
}

# Every deb entry of the machine's apt sources that names a Debian archive,
# again as deb-src: the same archives, suites and components.
add_deb_src() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "No deb-src entry in the apt sources, and adding one needs root." >&2
        exit 1
    fi
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -e "$list" ] && [ "$list" != "$deb822_list" ] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[^\n]*[ \t]deb([ \t\n]|$)/ && /debian/ {
                 sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$list"
    done > "$deb822_list"
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -e "$list" ] && [ "$list" != "$one_line_list" ] || continue
        sed -n 's/^[[:space:]]*deb\([[:space:]].*debian.*\)$/deb-src\1/p' "$list"
    done > "$one_line_list"
    [ -s "$deb822_list" ] || rm -f "$deb822_list"
    [ -s "$one_line_list" ] || rm -f "$one_line_list"
    if [ ! -e "$deb822_list" ] && [ ! -e "$one_line_list" ]; then
        echo "Found no Debian archive in the apt sources to take the source package from." >&2
        exit 1
    fi
    apt-get update -qq >&2
}

mkdir -p "$dest"
found=$(find "$dest" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
if [ -z "$found" ]; then
    have_deb_src || add_deb_src
    (cd "$dest" && apt-get source -qq "$package" >&2)
    found=$(find "$dest" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
fi
[ -n "$found" ] && [ -f "$found/CMakeLists.txt" ] || { echo "No $package source unpacked in $dest" >&2; exit 1; }
echo "$found"
