#!/usr/bin/env bash
# Checks the package's control fields and file list: check_deb.sh DEB_DIR VERSION
set -euo pipefail
dir=$1 version=$2
debs=("$dir"/quilldex2_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one package in $dir" >&2; exit 1; }
deb=${debs[0]}

status=0
fail() { echo "FAIL: $*" >&2; status=1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = quilldex2 ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Section)" = utils ] || fail "Section is '$(field Section)'"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^@\>]+\>$ ]] ||
    fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
description=$(field Description)
[ "$(printf '%s\n' "$description" | wc -l)" -ge 2 ] ||
    fail "Description has no long text: '$description'"

# Each runtime package by name, whatever version constraint dpkg-shlibdeps added.
depends=$(field Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libchewing3 libchewing3-data \
    fonts-arphic-uming qt6-translations-l10n; do
    grep -Eq "(^|, )$package( \(|,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
recommends=$(field Recommends)
for package in xdg-utils qt6-wayland; do
    grep -Eq "(^|, )$package( \(|,|$)" <<<"$recommends" ||
        fail "Recommends lacks $package: $recommends"
done

expected="./usr/bin/quilldex2
./usr/bin/quilldex2-readings
./usr/share/applications/quilldex2.desktop
./usr/share/icons/hicolor/128x128/apps/quilldex2.png
./usr/share/icons/hicolor/32x32/apps/quilldex2.png
./usr/share/metainfo/quilldex2.metainfo.xml"
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ {print $6}' <<<"$listing" | sort)
[ "$files" = "$expected" ] || fail "files differ from the expected list:
$(diff <(echo "$expected") <(echo "$files") || true)"
for program in quilldex2 quilldex2-readings; do
    grep -Eq "^-rwxr-xr-x .* \./usr/bin/$program$" <<<"$listing" ||
        fail "/usr/bin/$program is not an executable file"
done

# Whether `apt install ./quilldex2_*.deb` would find every dependency, without installing.
apt-get install --simulate --quiet "$(realpath "$deb")" >/dev/null ||
    fail "apt cannot satisfy the dependencies"

[ $status -eq 0 ] && echo "package $(basename "$deb") is as expected"
exit $status
