#!/bin/sh
# Runs lintian over the Debian package that scripts/package.sh made; an error
# fails, warnings and notes are printed. Skipped where lintian is missing.
# Usage: lintian_test.sh PACKAGE_DIR VERSION
set -u
if ! command -v lintian >/dev/null 2>&1; then
  echo "SKIPPED: lintian is not installed (scripts/deps.sh installs it)"
  exit 77
fi
deb=$(ls "$1"/glimb_"$2"_*.deb 2>/dev/null | head -n 1)
if [ -z "$deb" ]; then
  echo "FAIL: no glimb_$2_*.deb in $1: make it with scripts/package.sh" >&2
  exit 1
fi
# Run as root, lintian would refuse to unpack without --allow-root.
lintian --allow-root --fail-on error --display-info --tag-display-limit 0 "$deb"
status=$?
[ $status -eq 0 ] && echo "lintian: no errors in $deb"
exit $status
