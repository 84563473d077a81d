#!/usr/bin/env bash
# Builds the Debian package, checks what it holds, installs it with apt-get
# (this changes the machine: CI runs it as root on a fresh one) and starts the
# installed program the way its desktop entry does, under Xvfb.
#   bash tests/packaging/test_deb.sh [WORK_FOLDER]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$(mktemp -d "${TMPDIR:-/tmp}/celestrix-deb.XXXXXX")}
mkdir -p "$work"
here=$top/tests/packaging
fail() { echo "test_deb.sh: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli man Xvfb xdotool xprop cc pkg-config python3; do
  command -v "$tool" >/dev/null || fail "$tool is missing"
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

build=$work/build
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCELESTRIX_TESTS=OFF -DCELESTRIX_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/celestrix_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/celestrix_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}

[ "$(dpkg-deb --field "$deb" Package)" = celestrix ] || fail "the package is not named celestrix"
[ "$(dpkg-deb --field "$deb" Section)" = science ] || fail "the package's section is not science"
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libxcb1 qt6-qpa-plugins fonts-dejavu-extra xdg-utils; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

export CELESTRIX_SOURCE_DIR=$top PYTHONDONTWRITEBYTECODE=1 CELESTRIX_REQUIRE_VALIDATORS=1

# What the package holds, checked as an installed tree.
rm -rf "$work/contents"
dpkg-deb -x "$deb" "$work/contents"
(cd "$here" && CELESTRIX_PREFIX=$work/contents/usr python3 -m unittest -v test_install_tree)

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "$deb"

# shellcheck disable=SC2046 # pkg-config's flags are separate words
cc -o "$work/x_helper" "$top/tests/e2e/x_helper.c" $(pkg-config --cflags --libs xcb)
(cd "$here" && CELESTRIX_PREFIX=/usr CELESTRIX_X_HELPER=$work/x_helper \
  python3 -m unittest -v test_install_tree.DesktopIntegration test_launcher)
