#!/bin/sh
# Runs clang-tidy with the project's .clang-tidy over core/, report/, cli/ and ui/; fails on any
# finding, and when clang-tidy cannot run or cannot see a file, so that silence means clean.
# Needs a built build folder (compile_commands.json and the generated Qt sources).
#   sh scripts/tidy.sh [BUILD_DIR]     (default build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
fail() {
  echo "clang-tidy: $*" >&2
  exit 1
}
for tool in run-clang-tidy clang-tidy clang-query; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed; nothing was checked"
done
clang-tidy --version >/dev/null 2>&1 || fail "clang-tidy does not run; nothing was checked"
[ -f "$build/compile_commands.json" ] || fail "no $build/compile_commands.json; configure and build first"
files=$(git ls-files 'core/*.cpp' 'report/*.cpp' 'cli/*.cpp' 'ui/*.cpp')
[ -n "$files" ] || fail "no source files found"
# A file that the build does not compile would be passed over without a word.
missing=$(for file in $files; do grep -q "/$file\"" "$build/compile_commands.json" || echo "$file"; done)
[ -z "$missing" ] || fail "not compiled in $build, so not checked (configure with every part on):
$missing"
out=$(mktemp)
query=$(mktemp)
trap 'rm -f "$out" "$query"' EXIT

# Findings are warnings and leave the status alone; a failing status means clang-tidy could not
# check a file.
status=0
# shellcheck disable=SC2086
run-clang-tidy -quiet -p "$build" -j "$(nproc)" $files >"$out" 2>&1 || status=$?
if grep -E '(warning|error):' "$out"; then
  fail "findings above"
fi
if [ "$status" -ne 0 ]; then
  cat "$out" >&2
  fail "did not finish (status $status); see above"
fi

# clang-tidy leaves out every class whose first declaration is not its definition, such as a
# nested type defined out of line (struct TSafeFileWriter::TemporaryFile { ... }); the names of
# all classes are checked here by the same rules, by their place rather than by a list.
here="^$(pwd)/(core|report|cli|ui)/"
cat >"$query" <<EOF
set output diag
match cxxRecordDecl(isExpansionInFileMatching("$here"), isDefinition(), unless(isImplicit()), unless(isLambda()), hasDeclContext(cxxRecordDecl()), unless(matchesName("::([A-Z][A-Za-z0-9]*|const_iterator)\$"))).bind("nested")
match cxxRecordDecl(isExpansionInFileMatching("$here"), isDefinition(), unless(isImplicit()), hasDeclContext(namespaceDecl()), unless(matchesName("::T[A-Z][A-Za-z0-9]*\$"))).bind("type")
EOF
status=0
# shellcheck disable=SC2086
printf '%s\n' $files | xargs -n 8 -P "$(nproc)" clang-query -p "$build" -f "$query" >"$out" 2>&1 || status=$?
if grep -E 'error:' "$out"; then
  fail "clang-query could not read the files above"
fi
if [ "$status" -ne 0 ]; then
  cat "$out" >&2
  fail "clang-query did not finish (status $status); see above"
fi
names=$(sed -n -e 's/: note: "nested" binds here$/: warning: a nested class is named in PascalCase/p' \
  -e 's/: note: "type" binds here$/: warning: a class is named T and PascalCase/p' "$out" | sort -u)
if [ -n "$names" ]; then
  echo "$names"
  fail "findings above (names as CONTRIBUTING.md gives them)"
fi
echo "clang-tidy: nothing to report in core/, report/, cli/ and ui/"
