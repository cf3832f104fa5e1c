#!/bin/sh
# Installs the build into a fresh prefix and checks that exactly the expected files arrive,
# that the desktop entry starts and shows what is installed, and that the installed
# kelmora-check runs on the installed samples.
#   check_install_tree.sh CMAKE BUILD_DIR SOURCE_DIR WITH_WINDOW
set -eu
cmake=$1 build=$2 source=$3 with_window=$4

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

expected=$(mktemp)
trap 'rm -rf "$prefix" "$expected"' EXIT
{
  echo bin/kelmora-check
  echo share/man/man1/kelmora-check.1.gz
  echo bin/kelmora-draw
  echo share/man/man1/kelmora-draw.1.gz
  echo share/doc/kelmora/copyright
  echo share/doc/kelmora/changelog.gz
  echo share/locale/ja/LC_MESSAGES/kelmora-check.mo
  echo share/locale/en/LC_MESSAGES/kelmora-check.mo
  for sample in "$source"/examples/*.wkx "$source"/examples/*.wkn; do
    echo "share/kelmora/examples/${sample##*/}"
  done
  if [ "$with_window" = 1 ]; then
    echo bin/kelmora
    echo share/man/man1/kelmora.1.gz
    echo share/applications/kelmora.desktop
    echo share/mime/packages/kelmora.xml
    echo share/metainfo/invalid.kelmora.Kelmora.metainfo.xml
    for size in 16 32 48 64 128 256; do
      echo "share/icons/hicolor/${size}x${size}/apps/kelmora.png"
    done
    echo share/icons/hicolor/scalable/apps/kelmora.svg
  fi
} | sort >"$expected"

# Exactly these files: a missing one breaks the package, a stray one (a test library's
# headers, a backup in examples/) would ship in it.
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
difference=$(echo "$actual" | diff "$expected" - | grep '^[<>]' || true)
[ -z "$difference" ] || fail "installed files differ from the expected list (< missing, > unexpected):
$difference"

for program in kelmora kelmora-check kelmora-draw; do
  if [ -e "$prefix/bin/$program" ] && [ ! -x "$prefix/bin/$program" ]; then
    fail "bin/$program is not executable"
  fi
done
for compressed in "$prefix"/share/man/man1/*.gz "$prefix/share/doc/kelmora/changelog.gz"; do
  [ ! -e "$compressed" ] || gzip -t "$compressed" || fail "${compressed#"$prefix"/} is not a valid gzip file"
done
grep -q '^License:' "$prefix/share/doc/kelmora/copyright" || fail "copyright names no licence"

# The samples are Shift-JIS bytes: installing must not touch them.
for sample in "$source"/examples/*.wkx "$source"/examples/*.wkn; do
  installed="$prefix/share/kelmora/examples/${sample##*/}"
  [ ! -e "$installed" ] || cmp -s "$sample" "$installed" || fail "${installed#"$prefix"/} differs from its source"
done

examples="$prefix/share/kelmora/examples"
if results=$("$prefix/bin/kelmora-check" "$examples/nenmatsu-jumbo.wkx" "$examples/my-tickets.wkn" | iconv -f CP932 -t UTF-8); then
  echo "$results" | grep -q '当選番号12組345678' || fail "installed kelmora-check did not find the first prize in the samples"
else
  fail "installed kelmora-check failed on the installed samples"
fi

LANG=ja_JP.UTF-8 "$prefix/bin/kelmora-check" --bogus 2>&1 | grep -q '使い方: kelmora-check' ||
  fail "installed kelmora-check does not speak Japanese under a Japanese locale"
LANG=C "$prefix/bin/kelmora-check" --bogus 2>&1 | grep -q '^usage: kelmora-check' ||
  fail "installed kelmora-check does not speak English under the C locale"
printf "1等\t7億円\t12組 345678番\n" | "$prefix/bin/kelmora-draw" - 2>/dev/null | iconv -f CP932 -t UTF-8 | grep -q "^No1=12組345678" ||
  fail "installed kelmora-draw did not make a draw from a results text"

if [ "$with_window" = 1 ]; then
  desktop="$prefix/share/applications/kelmora.desktop"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects kelmora.desktop"
  else
    fail "desktop-file-validate is missing (scripts/install-deps.sh installs desktop-file-utils)"
  fi
  value() { sed -n "s/^$1=//p" "$desktop"; }
  command=$(value Exec | cut -d' ' -f1)
  [ -x "$prefix/bin/$command" ] || fail "the desktop entry runs '$command', which is not installed in bin/"
  icon=$(value Icon)
  [ "$icon" = kelmora ] || fail "the desktop entry's icon is '$icon', not the installed theme icon kelmora"
  [ "$(value Name)" = Kelmora ] || fail "the desktop entry's name is not Kelmora"
  [ -n "$(value 'Comment\[ja\]')" ] && [ -n "$(value Comment)" ] || fail "the desktop entry lacks its English or Japanese comment"
  value Categories | grep -q '\(^\|;\)Utility;' || fail "the desktop entry is not in the Utility category"
  value Exec | grep -q '^kelmora %f$' || fail "the desktop entry does not pass the opened file (%f)"
  for type in application/x-kelmora-draw application/x-kelmora-tickets; do
    value MimeType | grep -q "\(^\|;\)$type;" || fail "the desktop entry does not list $type"
  done
  # The MIME types must be ones the shared database accepts, with the extensions we use.
  if command -v update-mime-database >/dev/null; then
    data=$(mktemp -d)
    mime=$data/mime
    mkdir -p "$mime/packages"
    cp "$prefix/share/mime/packages/kelmora.xml" "$mime/packages/"
    # Searched there, so that the tool has nothing to note but faults.
    XDG_DATA_HOME=$data XDG_DATA_DIRS=$data update-mime-database "$mime" 2>"$data/errors" ||
      fail "update-mime-database rejects kelmora.xml"
    [ ! -s "$data/errors" ] || fail "update-mime-database: $(cat "$data/errors")"
    grep -q ':application/x-kelmora-draw:\*\.wkx$' "$mime/globs2" || fail "*.wkx is not application/x-kelmora-draw"
    grep -q ':application/x-kelmora-tickets:\*\.wkn$' "$mime/globs2" || fail "*.wkn is not application/x-kelmora-tickets"
    rm -rf "$data"
  else
    fail "update-mime-database is missing (scripts/install-deps.sh installs shared-mime-info)"
  fi
  grep -q 'xml:lang="ja"' "$prefix/share/mime/packages/kelmora.xml" || fail "the MIME types have no Japanese comment"
  metainfo="$prefix/share/metainfo/invalid.kelmora.Kelmora.metainfo.xml"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli rejects the metainfo: $(appstreamcli validate --no-net "$metainfo")"
  else
    fail "appstreamcli is missing (scripts/install-deps.sh installs appstream)"
  fi
  # Its screenshots are the README's.
  for picture in $(sed -n 's|.*<image>.*/docs/screenshots/\(.*\)</image>.*|\1|p' "$metainfo"); do
    [ -e "$source/docs/screenshots/$picture" ] || fail "the metainfo shows docs/screenshots/$picture, which does not exist"
    grep -q "docs/screenshots/$picture" "$source/README.md" || fail "the README does not show docs/screenshots/$picture"
  done
  # Each theme size must hold a picture of that size, or desktops scale the wrong one.
  for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -e "$png" ] || continue
    dimensions=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
    [ "$dimensions" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $dimensions"
  done
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install tree: $(echo "$actual" | wc -l) files as expected"
