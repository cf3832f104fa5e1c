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
  echo share/doc/kelmora/copyright
  echo share/doc/kelmora/changelog.gz
  for sample in "$source"/examples/*.wkx "$source"/examples/*.wkn; do
    echo "share/kelmora/examples/${sample##*/}"
  done
  if [ "$with_window" = 1 ]; then
    echo bin/kelmora
    echo share/man/man1/kelmora.1.gz
    echo share/applications/kelmora.desktop
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

for program in kelmora kelmora-check; do
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
