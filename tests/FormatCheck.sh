#!/bin/sh
# Fails when a C++ line changed since the base commit is not laid out the way
# .clang-format says. The base is where the branch left main (origin/main or
# main); on main itself, as in a fresh clone, the parent of the last commit.
# Only the changed lines are checked, so older code keeps its layout until it
# is edited. Skips (exit 77) without clang-format, outside a git checkout and
# when there is no base commit, as in a shallow clone.
# Run as: FormatCheck.sh <source dir> <clang-format program>

format=$2

skip() {
    echo "format_check skipped: $*"
    exit 77
}

src=$(cd "$1" 2>/dev/null && pwd -P) || skip "no source folder $1"
case $format in
'' | *-NOTFOUND) skip "clang-format is not installed" ;;
esac
command -v git >/dev/null 2>&1 || skip "git is not installed"

# The checkout may belong to another user, as when CI runs as root.
g() { git -c safe.directory="$src" -C "$src" "$@"; }

[ -e "$src/.git" ] || skip "$src is not a git checkout"
head=$(g rev-parse --verify -q HEAD 2>/dev/null) || skip "$src has no commit"

base=
for main in origin/main main; do
    g rev-parse --verify -q "$main^{commit}" >/dev/null 2>&1 || continue
    fork=$(g merge-base HEAD "$main") || continue
    if [ "$fork" != "$head" ]; then
        base=$fork
        break
    fi
done
if [ -z "$base" ]; then
    base=$(g rev-parse --verify -q "HEAD^1" 2>/dev/null) || skip "no commit before HEAD to compare with"
fi

failed=0
checked=0
files=$(g diff --no-ext-diff --name-only --diff-filter=AMR "$base" -- '*.cpp' '*.h') || exit 1
for file in $files; do
    # The lines the file has now that differ from the base, as
    # --lines=<first>:<last> ranges (hunks that only delete have no lines).
    ranges=$(g diff --no-ext-diff --no-color -U0 "$base" -- "$file" |
        sed -n 's/^@@ -[0-9,]* +\([0-9]*\)\(,\([0-9]*\)\)\{0,1\} @@.*/\1 \3/p' |
        while read -r first count; do
            [ "${count:-1}" -gt 0 ] && echo "--lines=$first:$((first + ${count:-1} - 1))"
        done)
    [ -n "$ranges" ] || continue
    checked=$((checked + 1))
    # shellcheck disable=SC2086 # one argument per range
    if ! "$format" --style=file $ranges "$src/$file" |
        diff -u --label "$file" --label "$file (clang-format)" "$src/$file" -; then
        failed=$((failed + 1))
    fi
done

short=$(g rev-parse --short "$base")
if [ "$failed" -gt 0 ]; then
    echo "$failed of $checked files changed since $short have lines that clang-format lays out differently;"
    echo "to lay them out: git clang-format $short"
    exit 1
fi
echo "Every line changed since $short follows .clang-format ($checked C++ files checked)."
