#!/usr/bin/env bash
# Builds the Debian package of the configurator and checks it as a technician's machine would take it:
# the files it holds, lintian without errors, the desktop entry and the AppStream metainfo valid, the
# same tree from "cmake --install", and the programs of the unpacked package running from their
# installed location (zelmar-cli --help; the configurator on the offscreen platform, with the Russian
# Qt catalogue found so that question boxes say "Да" and "Нет").
#   tools/check-package.sh [BUILD_DIR]     (default: build, configured by tools/setup.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-${BUILD_DIR:-build}}

fail() {
    echo "check-package: $*" >&2
    exit 1
}

version=$(sed -n 's/^project(ZelmarConfigurator VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[[ -n "$version" ]] || fail "no version in CMakeLists.txt"
cmake --build "$build_dir" --target package
deb="$build_dir/zelmar-configurator_${version}_amd64.deb"
[[ -f "$deb" ]] || fail "no package $deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

echo "== contents of $deb"
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' | sort > "$scratch/contents"
cat "$scratch/contents"
expected=(/usr/bin/zelmar-configurator /usr/bin/zelmar-cli
          /usr/share/zelmar-configurator/translations/qt_ru.qm
          /usr/share/zelmar-configurator/translations/qtbase_ru.qm
          /usr/share/applications/ru.zelmar.Configurator.desktop
          /usr/share/metainfo/ru.zelmar.Configurator.metainfo.xml
          /usr/share/man/man1/zelmar-cli.1.gz /usr/share/man/man1/zelmar-configurator.1.gz
          /usr/lib/udev/rules.d/60-zelmar-configurator.rules
          /usr/share/doc/zelmar-configurator/copyright /usr/share/doc/zelmar-configurator/changelog.gz)
for size in 16 48 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/zelmar-configurator.png")
done
for path in "${expected[@]}"; do
    grep -qx "$path" "$scratch/contents" || fail "the package lacks $path"
done
dpkg-deb --field "$deb" Depends | grep -q libqt5widgets5 || fail "no dependencies computed from the binaries"

echo "== lintian"
lintian --fail-on error "$deb" || fail "lintian reports errors"

echo "== unpacked"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/ru.zelmar.Configurator.desktop" || fail "desktop entry"
grep -qx 'Name=Конфигуратор «Зелмар»' "$root/usr/share/applications/ru.zelmar.Configurator.desktop" ||
    fail "desktop entry name"
appstreamcli validate --no-net "$root/usr/share/metainfo/ru.zelmar.Configurator.metainfo.xml" || fail "metainfo"
for size in 16 48 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/zelmar-configurator.png" |
        grep -q "PNG image data, $size x $size" || fail "icon of $size px"
done
rule="$root/usr/lib/udev/rules.d/60-zelmar-configurator.rules"
grep -q 'ATTRS{idVendor}=="0403".*TAG+="uaccess".*ENV{ID_MM_DEVICE_IGNORE}="1"' "$rule" || fail "udev rule"

"$root/usr/bin/zelmar-cli" --help > "$scratch/help" || fail "zelmar-cli --help"
head -n 1 "$scratch/help" | grep -q '^Usage: zelmar-cli COMMAND' || fail "zelmar-cli --help: $(head -n 1 "$scratch/help")"
# Every command the tool lists has its section in the manual page.
commands=$(sed -n '/^Commands:/,/^$/p' "$scratch/help" | awk 'NR > 1 && NF {print $1}')
[[ -n "$commands" ]] || fail "zelmar-cli --help lists no commands"
for command in $commands; do
    zcat "$root/usr/share/man/man1/zelmar-cli.1.gz" | grep -qx ".SS ${command//-/\\\\-}" ||
        fail "the manual page lacks the command $command"
done

# Still running after a few seconds: it started; its start-up trace names the catalogue it loaded.
set +e
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="zelmar.app.debug=true" \
    timeout 5 "$root/usr/bin/zelmar-configurator" 2> "$scratch/start.log"
status=$?
set -e
cat "$scratch/start.log"
[[ $status -eq 124 ]] || fail "the configurator ended with status $status instead of running"
grep -qF "Qt translation $root/usr/share/zelmar-configurator/translations/qt_ru.qm: Да / Нет" "$scratch/start.log" ||
    fail "the configurator did not find its Qt catalogue in the installed location"

echo "== cmake --install"
cmake --install "$build_dir" --prefix "$scratch/install/usr" --strip > /dev/null
(cd "$scratch/install" && find . -type f -o -type l | sed 's|^\./|/|' | sort) > "$scratch/installed"
diff -u "$scratch/contents" "$scratch/installed" || fail "cmake --install makes another tree than the package"

echo "check-package: $deb is sound"
