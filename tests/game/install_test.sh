#!/bin/sh
# Installs the build into a temporary prefix and runs the installed programs
# from another folder, with the player's folders pointed at temporary ones:
# the game must find its installed data, keep its settings under
# XDG_CONFIG_HOME/glimb and its captures and worlds under XDG_DATA_HOME/glimb.
# Usage: install_test.sh BUILD_DIR CMAKE
set -eu
build=$1
cmake=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" 2>&1 || {
  cat "$tmp/install.log" >&2
  fail "cmake --install failed"
}
prefix=$tmp/prefix
for file in bin/glimb bin/gle bin/glimb-world \
  share/glimb/data00.glb share/glimb/data10.glb share/glimb/data26.glb share/glimb/glegfx.pcx \
  share/applications/glimb.desktop share/applications/gle.desktop share/mime/packages/glimb-world.xml \
  share/icons/hicolor/scalable/apps/glimb.svg share/icons/hicolor/scalable/apps/gle.svg \
  share/metainfo/org.glimb.glimb.metainfo.xml share/metainfo/org.glimb.gle.metainfo.xml \
  share/man/man6/glimb.6.gz share/man/man6/gle.6.gz share/man/man6/glimb-world.6.gz \
  share/doc/glimb/copyright share/doc/glimb/changelog.gz; do
  [ -e "$prefix/$file" ] || fail "the install has no $file"
done
grep -q '^MimeType=application/x-glimb-world;$' "$prefix/share/applications/gle.desktop" ||
  fail "the editor's menu entry does not open worlds"
grep -q 'pattern="\*.glw"' "$prefix/share/mime/packages/glimb-world.xml" || fail "the world file type has no *.glw"

# --version answers without a display, also for the editor.
for program in glimb gle glimb-world; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$prefix/bin/$program" --version) ||
    fail "$program --version failed"
  case "$out" in
    "$program "[0-9]*.[0-9]*) ;;
    *) fail "$program --version printed \"$out\"" ;;
  esac
  "$prefix/bin/$program" --help | grep -q -- --version || fail "$program --help does not list --version"
done

# A relocated prefix still finds its data: the game looks beside its bin folder.
mv "$prefix" "$tmp/moved"
prefix=$tmp/moved
mkdir "$tmp/home" "$tmp/elsewhere"
cd "$tmp/elsewhere"
run() {
  HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg-data XDG_CONFIG_HOME=$tmp/xdg-config "$prefix/bin/glimb" --headless "$@"
}
run --frames 300 --capture-at 250 || fail "the installed game did not run (exit $?)"
[ -s "$tmp/xdg-config/glimb/settings" ] || fail "no settings in XDG_CONFIG_HOME/glimb"
[ -s "$tmp/xdg-data/glimb/capt0000.pcx" ] || fail "no capture in XDG_DATA_HOME/glimb"
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "the game wrote into the folder it was started from"
[ -z "$(ls -A "$tmp/home")" ] || fail "the game wrote into HOME although the XDG folders are set"

# A world saved into the player's folder is found by its bare name.
cp "$prefix/share/glimb/data10.glb" "$tmp/xdg-data/glimb/mine.glw"
run --play mine.glw --frames 60 --capture-at 60 || fail "the player's world did not play"
[ -s "$tmp/xdg-data/glimb/capt0001.pcx" ] || fail "the second capture is missing"

# --data and a data folder in the current directory still win: captures go there.
cp "$prefix"/share/glimb/data*.glb "$tmp/elsewhere/"
run --frames 20 --capture-at 20 || fail "the game did not run from a data folder"
[ -s "$tmp/elsewhere/capt0000.pcx" ] || fail "a data folder in the current directory was not the working folder"
echo "install test passed"
