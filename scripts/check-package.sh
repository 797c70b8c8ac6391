#!/usr/bin/env bash
# Builds the Debian package and checks it as CI does: its control data, lintian
# (no errors), the installed layout, the desktop entry, MIME types and
# AppStream data, and a first run of the installed program, by a user who
# cannot write to the program folder, on a plan in the user's own folders.
#   usage: scripts/check-package.sh [PACKAGE.deb]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-$(bash "$here/scripts/package.sh" | tail -n 1)}"
work="$(mktemp -d "${TMPDIR:-/tmp}/quorvex-package.XXXXXX")"
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "check-package: FAILED: $*" >&2; failures=$((failures + 1)); }
pass() { echo "check-package: ok: $*"; }

# Control data: dependencies computed from the programs' shared libraries.
dpkg-deb --info "$deb"
depends="$(dpkg-deb --field "$deb" Depends)"
[[ "$depends" == *libqt6widgets6* && "$depends" == *libhunspell* ]] \
  && pass "dependencies from shared libraries" || fail "Depends lacks the shared libraries: $depends"

# lintian: errors fail the check; warnings are listed.
lintian_out="$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)"
echo "$lintian_out"
if grep -q '^E:' <<< "$lintian_out"; then fail "lintian reports errors"; else pass "lintian: no errors"; fi

# The installed layout.
root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/lib/quorvex"
for f in quorvex qvtool viewer pwiz_mi pwiz_mx pwiz_mp quorvex.installed Help/BPlan8.html System/American.vtd \
         Data/ENG/BusPlan/Samples/New/Retail.cpd Data/ENG/BusPlan/Samples/Existing/Custom.cpd \
         Data/ENG/MrktPlan/Samples/Service.cpd; do
  [ -e "$program/$f" ] || fail "missing usr/lib/quorvex/$f"
done
for d in Data/ENG Compile; do [ -d "$program/$d" ] || fail "missing usr/lib/quorvex/$d/"; done
[ -e "$program/My Plans" ] && fail "the program folder holds My Plans"
for pair in quorvex:quorvex qvtool:qvtool quorvex-viewer:viewer; do
  c="${pair%%:*}"
  [ "$(readlink "$root/usr/bin/$c")" = "../lib/quorvex/${pair#*:}" ] || fail "usr/bin/$c is not a link to the program folder"
  [ -f "$root/usr/share/man/man1/$c.1.gz" ] || fail "no manual page for $c"
done
for f in applications/com.corvane.Quorvex.desktop applications/com.corvane.Quorvex.Viewer.desktop metainfo/com.corvane.Quorvex.metainfo.xml \
         mime/packages/com.corvane.Quorvex.xml icons/hicolor/scalable/apps/com.corvane.Quorvex.svg \
         icons/hicolor/48x48/apps/com.corvane.Quorvex.png \
         icons/hicolor/scalable/mimetypes/application-x-quorvex-business-plan.svg \
         icons/hicolor/32x32/mimetypes/application-x-quorvex-marketing-plan.png \
         icons/hicolor/256x256/mimetypes/application-x-quorvex-compiled-plan.png \
         doc/quorvex/copyright doc/quorvex/changelog.gz; do
  [ -f "$root/usr/share/$f" ] || fail "missing usr/share/$f"
done
if file "$program/quorvex" | grep -q 'not stripped'; then fail "quorvex is not stripped"; fi
[ "$failures" -eq 0 ] && pass "install layout and stripped programs"

# Desktop entry, AppStream data and MIME types.
desktop-file-validate "$root/usr/share/applications/com.corvane.Quorvex.desktop" \
  "$root/usr/share/applications/com.corvane.Quorvex.Viewer.desktop" \
  && pass "desktop-file-validate" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.corvane.Quorvex.metainfo.xml" \
  && pass "appstreamcli validate" || fail "appstreamcli validate"
mime="$work/mime"
mkdir -p "$mime/packages"
cp "$root/usr/share/mime/packages/com.corvane.Quorvex.xml" "$mime/packages/"
before_mime=$failures
if XDG_DATA_HOME="$work" update-mime-database "$mime" 2>&1 | grep . ; then fail "update-mime-database complains"; fi
for pair in bpl:business-plan mpl:marketing-plan cpd:compiled-plan; do
  grep -q "application/x-quorvex-${pair#*:}:\*\.${pair%%:*}" "$mime/globs2" \
    || fail "no MIME type for .${pair%%:*}"
done
[ "$failures" -eq "$before_mime" ] && pass "MIME types"

# First run of the installed program: a user who cannot write to the program
# folder (read-only for everyone; root reads past that, so root runs it as
# nobody) gets the demo plan in the documents folder and opens it.
chmod -R a-w "$root/usr"
home="$work/home"
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$work"
  chown nobody "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
before="$(cd "$program" && find . -printf '%p %s %T@\n' | sort)"
run() { env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen "${as_user[@]}" "$@"; }
myplans="$(run "$root/usr/bin/qvtool" folder myplans)"
run "$root/usr/bin/quorvex-viewer" --help | grep -q '^usage: viewer' && pass "the viewer runs from its link" \
  || fail "quorvex-viewer --help"
[ "$myplans" = "$home/Documents/My Plans/" ] && pass "My Plans in the documents folder" \
  || fail "My Plans is $myplans"
plan="$(run bash "$here/scripts/make-demo.sh" "$program")"
[[ "$plan" == "$home/Documents/My Plans/"*.bpl && -f "$plan" ]] && pass "demo plan made: $plan" \
  || fail "no demo plan in the documents folder ($plan)"
run "$root/usr/bin/quorvex" -o "$plan" > "$work/run.log" 2>&1 &
pid=$!
settings="$home/.config/Corvane/Quorvex 8.0.ini"
opened=no
for _ in $(seq 1 240); do
  if grep -qF "Last_B_File=$plan" "$settings" 2>/dev/null; then opened=yes; break; fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
# The composer is still open with the plan recorded as the last one opened.
if [ "$opened" = yes ] && kill -0 "$pid" 2>/dev/null; then
  pass "the installed program opens the plan"
else
  cat "$work/run.log" >&2
  fail "the installed program did not open the plan"
fi
kill "$pid" 2>/dev/null || true
# The program runs under env (and runuser), a child of the shell killed
# above: it is ended by its own path, which only this check's install has.
pkill -f "^$root/usr/bin/quorvex " 2>/dev/null || true
wait "$pid" 2>/dev/null || true
after="$(cd "$program" && find . -printf '%p %s %T@\n' | sort)"
[ "$before" = "$after" ] && pass "the program folder is unchanged" || fail "the program folder changed"

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures check(s) failed" >&2
  exit 1
fi
echo "check-package: all checks passed"
