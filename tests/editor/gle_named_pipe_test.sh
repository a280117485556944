#!/bin/sh
# gle started on a named pipe refuses it at once: it says why on the error
# output and waits in its message box, instead of blocking in open() for a
# writer that never comes. Arguments: the gle program and its data folder.
set -u
gle=$1
data=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/pipe.glw"
QT_QPA_PLATFORM=offscreen timeout 60 "$gle" --data "$data" "$dir/pipe.glw" 2>"$dir/err" &
pid=$!
said=no
for _ in $(seq 1 300); do
  if grep -q "pipe.glw: is not a regular file" "$dir/err"; then
    said=yes
    break
  fi
  sleep 0.1
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ "$said" = yes ] && exit 0
echo "gle did not refuse the named pipe within 30 seconds; its error output:" >&2
cat "$dir/err" >&2
exit 1
