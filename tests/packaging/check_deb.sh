#!/bin/sh
# Builds the Debian package from the build tree into a scratch folder and checks its
# dependencies and lintian's verdict: no errors.
#   check_deb.sh CPACK BUILD_DIR
set -eu
cpack=$1 build=$2

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log" >&2
  exit 1
}
deb=$(ls "$out"/kelmora_*_*.deb)
failures=0
depends=$(dpkg-deb -f "$deb" Depends)
# The libraries (Qt's, libxlsxwriter's) come from dpkg-shlibdeps; the font and Qt's Japanese
# texts are ours.
for package in libqt6widgets6 libqt6gui6 libqt6core6 libxlsxwriter4 fonts-ipafont-gothic qt6-translations-l10n; do
  echo "$depends" | grep -q "\(^\|, \)$package\( \|,\|$\)" || {
    echo "FAIL: the package does not depend on $package: $depends" >&2
    failures=$((failures + 1))
  }
done
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "$recommends" | grep -q '\(^\|, \)fcitx5-frontend-qt6\( \|,\|$\)' || {
  echo "FAIL: the package does not recommend fcitx5-frontend-qt6: $recommends" >&2
  failures=$((failures + 1))
}
dpkg-deb -x "$deb" "$out/root"
for file in usr/share/mime/packages/kelmora.xml usr/share/applications/kelmora.desktop \
            usr/share/metainfo/invalid.kelmora.Kelmora.metainfo.xml; do
  [ -f "$out/root/$file" ] || {
    echo "FAIL: the package lacks /$file" >&2
    failures=$((failures + 1))
  }
done
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$out/root/usr/share/metainfo/invalid.kelmora.Kelmora.metainfo.xml" >&2 || {
    echo "FAIL: appstreamcli reports errors in the packaged metainfo" >&2
    failures=$((failures + 1))
  }
else
  echo "FAIL: appstreamcli is missing (scripts/install-deps.sh installs appstream)" >&2
  failures=$((failures + 1))
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || {
    echo "FAIL: lintian reports errors" >&2
    failures=$((failures + 1))
  }
else
  echo "FAIL: lintian is missing (scripts/install-deps.sh installs it)" >&2
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "package: ${deb##*/}, lintian and appstreamcli without errors"
