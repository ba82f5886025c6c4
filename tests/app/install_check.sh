#!/usr/bin/env bash
# Installs the desktop program into a scratch prefix and checks what a Linux desktop
# needs: the program on the path, a launcher entry that names it, and its icon.
#   install_check.sh <build folder>
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" --component desktop > /dev/null
entry="$prefix/share/applications/quillmark-formula-fixer.desktop"
test -x "$prefix/bin/quillmark-formula-fixer" || { echo "program missing"; exit 1; }
test -s "$prefix/share/icons/hicolor/scalable/apps/quillmark-formula-fixer.svg" || { echo "icon missing"; exit 1; }
grep -qx 'Type=Application' "$entry" || { echo "entry is not an application"; exit 1; }
grep -qx 'Exec=quillmark-formula-fixer' "$entry" || { echo "entry does not start the program"; exit 1; }
grep -qx 'Icon=quillmark-formula-fixer' "$entry" || { echo "entry does not name the icon"; exit 1; }
grep -qx 'Name=Quillmark Formula Fixer' "$entry" || { echo "entry has no name"; exit 1; }
echo "installed: program, launcher entry, icon"
