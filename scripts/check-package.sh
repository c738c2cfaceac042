#!/usr/bin/env bash
# Builds the Debian package from ./build (the tree scripts/test.sh made) and checks it: its
# contents, an unpacked copy that runs, the menu entry, the AppStream metadata, the manual pages
# and bash completion, lintian, and (as root, when quorvel is not installed already) an apt
# install and purge that leaves nothing behind. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -y -qq -o DPkg::Lock::Timeout=600) # waits for another apt run instead of failing

bash scripts/deps.sh lintian desktop-file-utils appstream man-db bash-completion file

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

scratch=$(mktemp -d)
installed_by_us=
cleanup() {
    if [[ -n $installed_by_us ]]; then
        "${apt[@]}" purge quorvel >/dev/null 2>&1 || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# The package, from the build tree the tests used.
[[ -f build/CMakeCache.txt ]] || bash scripts/build.sh
rm -f build/quorvel_*.deb
if ! cmake --build build -j "$(nproc)" --target package >"$scratch/package.log" 2>&1; then
    cat "$scratch/package.log" >&2
    echo "FAIL: the package does not build" >&2
    exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=build/quorvel_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "FAIL: $deb was not made" >&2; exit 1; }
echo "Built $deb"
[[ $(dpkg-deb -f "$deb" Package) == quorvel ]] || fail "package name is not quorvel"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks the Qt libraries"
[[ $depends == *fonts-ipafont-gothic* ]] || fail "Depends lacks the Japanese font"
[[ $depends == *qt6-translations-l10n* ]] || fail "Depends lacks the Japanese texts of Qt's own dialogs"

# Contents: exactly the listed files and links, plus one program icon per size drawn.
expected=$scratch/expected
grep -v '^#' tests/cases/package-contents.txt >"$expected"
for xpm in resources/icons/program.xpm resources/icons/program@*x.xpm; do
    [[ -f $xpm ]] || continue
    size=$(grep -m1 -o '^"[0-9]* [0-9]* ' "$xpm" | tr -d '"' | awk '{print $1 "x" $2}')
    echo "/usr/share/icons/hicolor/$size/apps/io.github.quorvel.Quorvel.png" >>"$expected"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^[^.]*\./, ""); print }' | sort >"$scratch/actual"
sort -o "$expected" "$expected"
if ! diff -u "$expected" "$scratch/actual" >"$scratch/contents.diff"; then
    fail "package contents differ from tests/cases/package-contents.txt (- missing, + unexpected):"
    cat "$scratch/contents.diff" >&2
fi

# An unpacked copy: the tool runs, the help file sits beside the program, the window starts.
root=$scratch/root
dpkg -x "$deb" "$root"
[[ $("$root/usr/bin/quorvel-size" --version) == "quorvel-size $version" ]] ||
    fail "quorvel-size --version does not say $version"
echo '{"rowCount": 1000, "data": {"fixedBytes": 100}}' | "$root/usr/bin/quorvel-size" >/dev/null ||
    fail "quorvel-size does not size a table"
cmp -s "$root/usr/libexec/quorvel/Mivrel.hlp" resources/help/Mivrel.hlp ||
    fail "the help file is not beside the program"
if grep -rlF "$PWD" "$root" >"$scratch/leaks"; then
    fail "files name the build machine's source folder:"
    cat "$scratch/leaks" >&2
fi
smoke_start() { # program: still running after 3 seconds, offscreen, with a scratch home
    local status=0
    HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config QT_QPA_PLATFORM=offscreen \
        timeout 3 "$1" >/dev/null 2>&1 || status=$?
    [[ $status == 124 ]] || fail "$1 did not keep running (status $status)"
}
smoke_start "$root/usr/bin/quorvel"

# Menu entry, its icons and the AppStream metadata (as an installed tree, so that the
# metadata finds its menu entry).
desktop=$root/usr/share/applications/io.github.quorvel.Quorvel.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for png in "$root"/usr/share/icons/hicolor/*/apps/*.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    [[ $(file "$png") == *"PNG image data, ${size/x/ x },"* ]] || fail "$png is not $size"
    [[ $(basename "$png") == "$icon.png" ]] || fail "$png is not the menu entry's icon $icon"
done
metainfo=$root/usr/share/metainfo/io.github.quorvel.Quorvel.metainfo.xml
appstreamcli validate-tree --no-net "$root" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log" >&2; fail "appstreamcli validate-tree"; }
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata does not name release $version"

# Manual pages: they render without warnings, show the version, and describe every option
# that quorvel-size --help lists, each under its own heading; the completion offers them all.
for page in "$root"/usr/share/man/man1/*.1.gz "$root"/usr/share/man/ja/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$page: $warnings"
    [[ $(zcat "$page") == *"Quorvel $version"* ]] || fail "$page does not show version $version"
done
completion=$root/usr/share/bash-completion/completions/quorvel-size
offered=$(sed -n "/compgen -W '--/,/'/p" "$completion")
for option in $("$root/usr/bin/quorvel-size" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    for page in "$root"/usr/share/man/man1/quorvel-size.1.gz "$root"/usr/share/man/ja/man1/quorvel-size.1.gz; do
        grep -qE -- "^\.B[IR]? $option( |$)" <<<"$(zcat "$page" | sed 's/\\-/-/g')" ||
            fail "$page does not describe $option"
    done
    grep -qE -- "$option([^a-z-]|$)" <<<"$offered" || fail "the completion does not offer $option"
done

# Bash completion, row by row (tests/cases/bash-completion.txt), in a folder of sample inputs.
mkdir "$scratch/inputs"
touch "$scratch/inputs/"{schema.sql,counts.json,tables.jsonl,notes.txt}
cases=$PWD/tests/cases/bash-completion.txt
completion_failures=$(cd "$scratch/inputs" && bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    while IFS=$'"'\t'"' read -r line expected; do
        [[ $line == "#"* || -z $line ]] && continue
        read -ra COMP_WORDS <<<"$line"
        [[ $line == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE=$line
        COMP_POINT=${#line}
        COMPREPLY=()
        _quorvel_size quorvel-size "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
        got=$(printf "%s\n" "${COMPREPLY[@]}" | sort | xargs)
        [[ $got == "$expected" ]] || echo "\"$line\": offered \"$got\", expected \"$expected\""
    done <"$2"
' _ "$completion" "$cases") || fail "bash completion could not be tried"
[[ -z $completion_failures ]] || fail "bash completion:"$'\n'"$completion_failures"

# lintian: no error; warnings and notes are shown.
if ! lintian --fail-on error --display-info "$deb"; then
    fail "lintian reports an error"
fi

# A real install through apt and a purge, when this machine allows it.
if [[ $(id -u) == 0 && $(dpkg-query -W -f='${Status}' quorvel 2>/dev/null) != *"ok installed"* ]]; then
    installed_by_us=yes
    "${apt[@]}" install "./$deb" >"$scratch/apt.log" 2>&1 ||
        { cat "$scratch/apt.log" >&2; fail "apt install"; }
    [[ $(command -v quorvel) == /usr/bin/quorvel ]] || fail "quorvel is not on the PATH"
    [[ $(quorvel-size --version) == "quorvel-size $version" ]] || fail "installed quorvel-size --version"
    man -w quorvel-size >/dev/null 2>&1 || fail "man quorvel-size finds no page"
    [[ $(man -w -L ja quorvel 2>/dev/null) == */ja/* ]] || fail "man -L ja quorvel finds no Japanese page"
    smoke_start /usr/bin/quorvel
    # Every row of the tool's tests (scripts as DBAs have them, encodings,
    # several --ddl files...) against the installed program.
    if [[ -x build/tests/cli/cli_tests ]]; then
        QUORVEL_SIZE_UNDER_TEST=/usr/bin/quorvel-size build/tests/cli/cli_tests --gtest_brief=1 \
            >"$scratch/cli.log" 2>&1 || { tail -n 40 "$scratch/cli.log" >&2; fail "the tool's rows against the installed quorvel-size"; }
    fi
    "${apt[@]}" purge quorvel >"$scratch/apt.log" 2>&1 ||
        { cat "$scratch/apt.log" >&2; fail "apt purge"; }
    installed_by_us=
    while read -r path; do
        path=${path%% -> *}
        if [[ -e $path || -L $path ]]; then fail "$path is left after purge"; fi
    done <"$expected"
    for dir in /usr/libexec/quorvel /usr/share/quorvel /usr/share/doc/quorvel; do
        if [[ -e $dir ]]; then fail "$dir is left after purge"; fi
    done
    echo "Tried an apt install, a start and a purge"
else
    echo "Skipping the apt install and purge (needs root and no quorvel installed)"
fi

if ((failures)); then
    echo "$failures package check(s) failed" >&2
    exit 1
fi
echo "Package checks passed: $deb"
