#!/usr/bin/env bash
# Builds the Debian package from the build folder that scripts/test.sh left (or BUILD_DIR), checks
# it with lintian, installs it, runs the installed programs from /usr/bin, removes it and proves
# that nothing of it is left. Run as root on Debian 12 (bookworm) or later.
#
#   scripts/package-test.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
apt_get=(apt-get -o DPkg::Lock::Timeout=600 -y -q)
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "package-test: $*" >&2
  exit 1
}

# Refuse to touch an installation that is not ours to remove.
if dpkg-query -W kestrova >/dev/null 2>&1; then
  fail "kestrova is already known to dpkg; purge it first"
fi

rm -f "$build"/kestrova_*.deb
cmake --build "$build"
(cd "$build" && cpack -G DEB)
debs=("$build"/kestrova_*.deb)
((${#debs[@]} == 1)) || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}
echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends

echo "== lintian"
lintian --fail-on error --display-info "$deb"

work=$(mktemp -d)
installed=0
# A failed run removes what it installed.
cleanup() {
  if ((installed)) && dpkg-query -W kestrova >/dev/null 2>&1; then
    "${apt_get[@]}" purge kestrova >/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
cp -r examples/sample-medium examples/sample-medium-h29 "$work"

echo "== install"
installed=1
"${apt_get[@]}" install --no-install-recommends "$deb"
dpkg -L kestrova >"$work/files"

appstreamcli validate --no-net /usr/share/metainfo/org.kestrova.kestrova.metainfo.xml
desktop-file-validate /usr/share/applications/kestrova.desktop

# Run from the work folder, so that nothing is found through the current folder.
cd "$work"
/usr/bin/kestrova-check --version
/usr/bin/kestrova-check sample-medium >/dev/null || fail "the sample medium did not check clean"
# Under the 平成29 guideline the library in the program folder is loaded: the one altered photo
# is reported, and no loading error.
status=0
/usr/bin/kestrova-check sample-medium-h29 >h29.log 2>/dev/null || status=$?
((status == 1)) || fail "the 平成29 sample ended with $status, not 1"
grep -q 'ERR-005058' h29.log || fail "the altered photo of the 平成29 sample was not reported"
! grep -q 'ERR-005001' h29.log || fail "the installed tamper-check library was not loaded"

# The desktop program must still be running when it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/kestrova || status=$?
((status == 124)) || fail "the desktop program ended with $status before it was stopped"
cd - >/dev/null

echo "== remove"
"${apt_get[@]}" remove kestrova
[[ ! -e /usr/lib/kestrova ]] || fail "/usr/lib/kestrova is left"
while read -r path; do
  if [[ ! -d "$path" && (-e "$path" || -L "$path") ]]; then
    fail "$path is left"
  fi
done <"$work/files"
# CPack's ldconfig call in postrm keeps the package known to dpkg until it is purged.
"${apt_get[@]}" purge kestrova
if dpkg -L kestrova 2>/dev/null | grep -q .; then
  fail "dpkg still lists kestrova"
fi
echo "package-test: $(basename "$deb") installs, runs and removes cleanly"
