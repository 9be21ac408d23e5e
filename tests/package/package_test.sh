#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a user gets it: packs the programs of this build with the project's
# CPack configuration (no second build), then checks the files and their places, the
# dependencies, the desktop entry, the MIME type and the manual page against the README, and
# runs the extracted programs: tessmar-cli on the sample, tessmar --screenshot with its help
# pages found and its settings in the user's folder. Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
expect_contains() {  # TEXT NEEDLE WHAT
  grep -qF -- "$2" <<<"$1" || fail "$3: '$2' missing"
}

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
# gzip, not the package's xz: this build's programs are large and only checked here.
cpack --config "$build/CPackConfig.cmake" -B "$work/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip \
  >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; echo "FAIL: cpack" >&2; exit 1; }
deb="$work/out/tessmar_${version}_${arch}.deb"
[ -f "$deb" ] || { ls "$work/out"; echo "FAIL: $deb not written" >&2; exit 1; }

echo "== contents  ($SECONDS s) of $(basename "$deb")"
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
echo "$contents"
for f in usr/bin/tessmar usr/bin/tessmar-cli usr/share/applications/tessmar.desktop \
  usr/share/mime/packages/tessmar.xml usr/share/icons/hicolor/scalable/apps/tessmar.svg \
  usr/share/man/man1/tessmar.1.gz usr/share/man/man1/tessmar-cli.1.gz \
  usr/share/doc/tessmar/copyright usr/share/doc/tessmar/changelog.gz; do
  grep -qx "\./$f" <<<"$contents" || fail "the package lacks /$f"
done
for page in "$src"/docs/*; do
  grep -qx "\./usr/share/tessmar/docs/$(basename "$page")" <<<"$contents" || fail "help page $(basename "$page") not packed"
done
outside=$(grep -v '^\./usr/\|^\./$\|^\./usr$' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

echo "== control  ($SECONDS s)"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends | tee "$work/control"
shown=$(sed -n 's/.*kVersionText = "\(.*\)";/\1/p' "$src/src/editor/dispatcher.h")
[ "$(dpkg-deb -f "$deb" Version)" = "$shown" ] || fail "package version $(dpkg-deb -f "$deb" Version) is not the program's $shown"
depends=$(dpkg-deb -f "$deb" Depends)
for d in fonts-ipafont-gothic qt6-translations-l10n libqt6gui6 libqt6widgets6 libqt6printsupport6 libc6; do
  expect_contains "$depends" "$d" "Depends"
done
build_only='-dev\b|libgtest|libgmock|libbenchmark|\bg\+\+|\bgcc\b|\bclang|\bcmake|ninja|ccache|ezdxf|poppler|xvfb'
grep -qE -- "$build_only" <<<"$depends" && fail "Depends pulls in the build: $depends"
if ! grep -q 'TESSMAR_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
  grep -qE 'libasan|libubsan' <<<"$depends" && fail "Depends holds sanitizer runtimes: $depends"
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"

echo "== desktop entry  ($SECONDS s)"
desktop="$root/usr/share/applications/tessmar.desktop"
validation=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $validation"
[ -z "$validation" ] || fail "desktop-file-validate: $validation"
entry=$(cat "$desktop")
for line in 'Exec=tessmar %f' 'Icon=tessmar' 'MimeType=application/x-tessmar-project;' \
  'Categories=Graphics;Engineering;' 'Name[ja]=' 'Comment[ja]=' 'Comment='; do
  grep -q "^$(sed 's/[][]/\\&/g' <<<"$line")" <<<"$entry" || fail "desktop entry lacks $line"
done

echo "== MIME type  ($SECONDS s)"
mime="$root/usr/share/mime/packages/tessmar.xml"
xmllint --noout --relaxng "$src/tests/package/shared-mime-info.rng" "$mime" || fail "xmllint rejects $mime"
xmllint --noout "$root/usr/share/icons/hicolor/scalable/apps/tessmar.svg" || fail "the icon is not well-formed SVG"
# The desktop's own tool must understand it: *.kel and the file's first bytes name the type.
XDG_DATA_DIRS="$root/usr/share" update-mime-database "$root/usr/share/mime" >"$work/umd.log" 2>&1 || fail "update-mime-database: $(cat "$work/umd.log")"
[ -s "$work/umd.log" ] && fail "update-mime-database complains: $(cat "$work/umd.log")"
grep -q ':application/x-tessmar-project:\*\.kel$' "$root/usr/share/mime/globs2" || fail "*.kel not in globs2"
grep -q 'kelversion=' "$root/usr/share/mime/magic" || fail "the magic of .kel files is not in the database"
grep -q 'xml:lang="ja">Tessmar プロジェクト' "$root/usr/share/mime/application/x-tessmar-project.xml" || fail "no Japanese comment"

echo "== manual page against the README  ($SECONDS s)"
manual=$(gzip -dc "$root/usr/share/man/man1/tessmar-cli.1.gz" | sed 's/\\f[BIRP]//g; s/\\-/-/g' | tr -s ' \n' '  ')
rows=$(grep '^| `tessmar-cli ' "$src/README.md")
[ -n "$rows" ] || fail "no tessmar-cli commands found in the README"
while IFS= read -r row; do
  usage=$(sed 's/^| `tessmar-cli \([^`]*\)`.*/\1/' <<<"$row")
  read -r first second _ <<<"$usage"
  case "$first" in
    draw | sections | stb)
      for sub in $(sed 's/\\|/ /g' <<<"$second"); do expect_contains "$manual" "$first $sub" "tessmar-cli.1"; done ;;
    *) expect_contains "$manual" "$first " "tessmar-cli.1" ;;
  esac
done <<<"$rows"
for option in $(grep -oE -- '--[a-z][a-z-]+' <<<"$rows" | sort -u); do
  expect_contains "$manual" "$option" "tessmar-cli.1"
done
grep -qF "\"Tessmar $version\"" <<<"$manual" || fail "the manual page's header does not name version $version"
[ "$(gzip -dc "$root/usr/share/doc/tessmar/changelog.gz" | head -1 | sed 's/.*(\(.*\)).*/\1/')" = "$version" ] \
  || fail "the changelog's last entry is not version $version"

echo "== the extracted programs  ($SECONDS s)"
home="$work/home"
mkdir -p "$home/.config/tessmar"
# The installed program reads the user's settings, not a file beside /usr/bin.
printf '[DraftEnv]\r\nListScale="55"\r\n' >"$home/.config/tessmar/tessmar.ini"
run() { env -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$@"; }
dump=$(run "$root/usr/bin/tessmar-cli" dump "$src/samples/sample.kel") || fail "tessmar-cli dump failed"
[ "$(wc -l <<<"$dump")" -gt 10 ] || fail "tessmar-cli dump printed too little"
run "$root/usr/bin/tessmar-cli" draw girder-list "$src/samples/sample.kel" -o "$work/girders.pdf" || fail "tessmar-cli draw failed"
pdftotext "$work/girders.pdf" - 2>/dev/null | grep -q 'S=1/55' || fail "the girder list PDF is not at the user's scale 1/55"

run "$root/usr/bin/tessmar" --screenshot "$work/window.png" "$src/samples/sample.kel" 2>"$work/gui.log" || fail "tessmar --screenshot failed: $(cat "$work/gui.log")"
[ "$(head -c 4 "$work/window.png" | od -An -c | tr -d ' ')" = '211PNG' ] || fail "no PNG from tessmar --screenshot"
grep -q 'help pages were not found' "$work/gui.log" && fail "the extracted tessmar misses its help pages: $(cat "$work/gui.log")"
# The same program alone in a folder does miss them, and says so: the check above can fail.
mkdir -p "$work/alone"
cp "$root/usr/bin/tessmar" "$work/alone/"
run "$work/alone/tessmar" --screenshot "$work/alone.png" 2>"$work/alone.log" || fail "tessmar alone failed"
grep -q 'help pages were not found' "$work/alone.log" || fail "a tessmar without help pages does not say so"
leftovers=$(ls "$root/usr/bin")
[ "$leftovers" = "$(printf 'tessmar\ntessmar-cli')" ] || fail "files written beside the installed programs: $leftovers"

[ "$failures" -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "package checks passed"
