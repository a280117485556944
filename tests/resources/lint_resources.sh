#!/bin/sh
# Runs one linter over the files an install puts into the desktop: the
# software centre descriptions (appstreamcli), the menu entries
# (desktop-file-validate) or the manual pages (mandoc). Any message, even a
# hint, fails. A linter that is not installed skips the test (exit 77).
# Usage: lint_resources.sh appstream|desktop|man RESOURCES_DIR
set -u
kind=$1
dir=$2
need() {
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "SKIPPED: $1 is not installed (scripts/deps.sh installs it)"
    exit 77
  fi
}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
case "$kind" in
  appstream)
    need appstreamcli
    for file in "$dir"/*.metainfo.xml; do
      appstreamcli validate --no-net --strict "$file" >"$out" 2>&1 || {
        cat "$out"
        status=1
      }
    done
    ;;
  desktop)
    need desktop-file-validate
    for file in "$dir"/*.desktop; do
      desktop-file-validate "$file" >"$out" 2>&1
      if [ $? -ne 0 ] || [ -s "$out" ]; then
        cat "$out"
        status=1
      fi
    done
    ;;
  man)
    need mandoc
    for file in "$dir"/man/*.6; do
      mandoc -Tlint -Wall "$file" >"$out" 2>&1
      if [ $? -ne 0 ] || [ -s "$out" ]; then
        cat "$out"
        status=1
      fi
    done
    ;;
  *)
    echo "unknown linter $kind" >&2
    exit 2
    ;;
esac
[ $status -eq 0 ] && echo "$kind files are clean"
exit $status
