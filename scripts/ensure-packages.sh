#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet.
# As root it uses apt-get (updating the package lists once per machine); with password-less
# sudo it uses sudo; otherwise it names what is missing and fails. A name with an architecture
# (wine32:i386) adds that architecture to dpkg first when it is not there yet.
set -euo pipefail

missing=()
for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
stamp=/var/lib/apt/lists/.tonefalls-updated
for pkg in "${missing[@]}"; do
    arch=${pkg##*:}
    [ "$arch" != "$pkg" ] || continue
    if [ "$arch" != "$(dpkg --print-architecture)" ] && ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
        "${as_root[@]}" dpkg --add-architecture "$arch"
        # The lists of the new architecture are not there until the next update.
        "${as_root[@]}" rm -f "$stamp"
    fi
done
if [ ! -e "$stamp" ] || ! apt-cache show "${missing[0]}" >/dev/null 2>&1; then
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" touch "$stamp" 2>/dev/null || true
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
