#!/usr/bin/env bash
# Does the Debian package install and work? Makes vozaz2_<version>_<arch>.deb
# from a built folder (default build/) with CPack, installs it with apt-get
# (which also installs what it depends on), runs both installed programs,
# validates the desktop entry, looks for the icons and the manual pages, and
# removes the package again, also when a check fails. Runs as root, or
# through sudo. The build folder must be built already (scripts/build.sh).
#   scripts/package-check.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$dir/CMakeCache.txt")
deb="$PWD/$dir/vozaz2_${version}_$(dpkg --print-architecture).deb"
rm -f "$deb"
(cd "$dir" && cpack -G DEB >/dev/null)
echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes (${SECONDS} s)"
dpkg-deb -f "$deb" Depends Recommends Section
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print "  " $6 }'
if command -v lintian >/dev/null; then
  echo "== lintian (${SECONDS} s)"
  lintian --fail-on error,warning "$deb" 2> >(grep -v 'root privileges' >&2)
fi

remove() {
  echo "== Remove"
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get remove -y -qq vozaz2 >/dev/null || true
}
trap remove EXIT
echo "== Install (${SECONDS} s)"
log="$PWD/$dir/package-install.log"
if ! DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "$deb" \
  >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
dpkg-query -W -f='  ${Package} ${Version} ${Status}\n' vozaz2

echo "== The installed programs"
/usr/bin/vozaz2-batch --version
QT_QPA_PLATFORM=offscreen /usr/bin/vozaz2 --version
csv=$(/usr/bin/vozaz2-batch --steps 200 --csv -)
head -3 <<<"$csv" | cut -c1-100
rows=$(wc -l <<<"$csv")
if [ "$rows" -ne 201 ]; then
  echo "package-check: vozaz2-batch --steps 200 wrote $rows lines, not a header and 200 rows" >&2
  exit 1
fi

echo "== Desktop entry, icons, file type, manual pages"
desktop-file-validate /usr/share/applications/vozaz2.desktop
test -s /usr/share/mime/packages/vozaz2.xml
if [ -f /usr/share/mime/globs2 ]; then  # shared-mime-info is installed: its trigger ran
  grep -q ':application/x-vozaz2-experiment:\*\.vozaz2' /usr/share/mime/globs2
fi
for size in 16 32; do
  test -s /usr/share/icons/hicolor/${size}x${size}/apps/vozaz2.png
done
for page in vozaz2 vozaz2-batch; do
  file=/usr/share/man/man1/$page.1.gz
  test -s "$file"
  if command -v man >/dev/null; then
    [ "$(man -w "$page")" = "$file" ]
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
      echo "package-check: $page.1 has formatting warnings:" >&2
      echo "$warnings" >&2
      exit 1
    fi
  fi
  echo "  $file"
done
echo "package-check: $(basename "$deb") installs and runs (${SECONDS} s)"
