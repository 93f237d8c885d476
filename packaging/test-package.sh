#!/bin/sh
# Builds the Debian package from a build folder, unpacks it into a temporary root and
# checks what it installs: dependencies, desktop entry, AppStream data, icons, and that
# the installed programs start.
#   test-package.sh BUILD_FOLDER APP_ID INSTALL_PREFIX
set -eu
build=$1
id=$2
prefix=$3
work=$(mktemp -d)
sim=
program=
cleanup() {
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  [ -z "$sim" ] || kill "$sim" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in qt6-qpa-plugins libqt6widgets6 libqt6serialport6 libqt6network6; do
  case "$depends" in *"$package"*) ;; *) fail "Depends lacks $package: $depends" ;; esac
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
folder="$root$prefix/lib/ferromarquee"
for file in FerroMarquee version.txt help/messages.html Quor-IPConfig/QuorIPConfig; do
  [ -e "$folder/$file" ] || fail "missing $folder/$file"
done
for size in 16 32 48 256; do
  [ -s "$root$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || fail "missing the ${size} px icon"
done
desktop-file-validate "$root$prefix/share/applications/$id.desktop" || fail "invalid desktop entry"
appstreamcli validate --no-net --pedantic "$root$prefix/share/metainfo/$id.metainfo.xml" || fail "invalid AppStream data"
grep -q "^Path=$prefix/lib/ferromarquee$" "$root$prefix/share/applications/$id.desktop" || fail "desktop entry does not start in the program folder"

# The command-line tool and the simulator.
[ "$("$root$prefix/bin/marquee" encode HI)" = "^A000000^C1HI" ] || fail "marquee encode gave the wrong string"
"$root$prefix/bin/marquee-sim" --help >/dev/null || fail "marquee-sim does not start"
for file in share/man/man1/marquee.1 share/man/man1/marquee-sim.1 share/bash-completion/completions/marquee; do
  [ -s "$root$prefix/$file" ] || fail "missing $prefix/$file"
done

# The program, offscreen, started in its folder as the desktop entry does, with a throwaway
# home: it must keep running, and its brand file must select FerroMarquee, whose data
# folder it creates at start-up.
home="$work/home"
mkdir -p "$home"
(cd "$folder" && HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen ./FerroMarquee) \
  >"$work/program.log" 2>&1 &
program=$!
sleep 3
kill -0 "$program" 2>/dev/null || { cat "$work/program.log" >&2; fail "FerroMarquee did not keep running"; }
[ -d "$home/Documents/NorvAutomation/FerroMarquee" ] || fail "the installed program did not select the FerroMarquee brand"
# The gateway: program, man page, example config, and a systemd unit that verifies and that
# the package leaves disabled; the maintainer script creates its user.
"$root$prefix/bin/marquee-gateway" --help >/dev/null || fail "marquee-gateway does not start"
for file in share/man/man1/marquee-gateway.1 share/doc/ferromarquee/gateway.toml.example \
            lib/sysusers.d/ferromarquee-gateway.conf lib/systemd/system/ferromarquee-gateway.service; do
  [ -s "$root$prefix/$file" ] || fail "missing $prefix/$file"
done
unit="$root$prefix/lib/systemd/system/ferromarquee-gateway.service"
grep -q "^ExecStart=$prefix/bin/marquee-gateway " "$unit" || fail "the unit does not start the installed program"
[ ! -e "$root/etc/systemd/system/multi-user.target.wants/ferromarquee-gateway.service" ] || fail "the unit is enabled"
dpkg-deb -e "$deb" "$work/control"
grep -q "systemd-sysusers ferromarquee-gateway.conf" "$work/control/postinst" || fail "postinst does not create the user"
if command -v systemd-analyze >/dev/null; then
  # Verified with the unpacked program in the place ExecStart names.
  sed "s|^ExecStart=$prefix/bin/|ExecStart=$root$prefix/bin/|" "$unit" >"$work/ferromarquee-gateway.service"
  systemd-analyze verify --man=no "$work/ferromarquee-gateway.service" >"$work/verify.log" 2>&1 || { cat "$work/verify.log" >&2; fail "systemd-analyze verify failed"; }
  if grep -q "ferromarquee-gateway.service" "$work/verify.log"; then cat "$work/verify.log" >&2; fail "systemd-analyze verify warns"; fi
else
  fail "systemd-analyze is missing (Debian package systemd)"
fi
echo "package test: $(basename "$deb") installs and runs"
