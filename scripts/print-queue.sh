#!/usr/bin/env bash
# Makes a real print queue for the printing tests: CUPS with the cups-pdf backend, its PDFs
# written into a folder of the build tree, set as the default printer so Wine's programs print
# there through Windows printing (winspool -> CUPS). Starts cupsd when it is not running.
# Needs root (CUPS's configuration) and scripts/deps.sh print.
# Usage: scripts/print-queue.sh OUT_FOLDER [QUEUE]   (default queue WardDeskPDF)
set -euo pipefail
out=$(realpath -m "$1")
queue=${2:-WardDeskPDF}
fail() { echo "print-queue.sh: $*" >&2; exit 1; }
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh print)"
done
[[ -x /usr/lib/cups/backend/cups-pdf ]] || fail "the cups-pdf backend is missing (scripts/deps.sh print)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
[[ -f $ppd ]] || fail "$ppd is missing (scripts/deps.sh print)"

mkdir -p "$out"
chmod 0777 "$out"
# This system's own cupsd, through its socket: without the socket, CUPS's clients (lpadmin, and
# Wine's printing) would reach any cupsd on localhost:631, such as the host's when this runs in
# a chroot, whose queues and cups-pdf configuration are not this system's.
socket=/run/cups/cups.sock
export CUPS_SERVER=$socket
running() { [[ -S $socket ]] && lpstat -r 2>/dev/null | grep -q "is running"; }
if ! running; then
  mkdir -p /run/cups
  cupsd || fail "cupsd did not start"
  for _ in $(seq 100); do running && break; sleep 0.1; done
  running || fail "cupsd does not answer on $socket"
fi
# cups-pdf reads the configuration named after the part of the device URI behind "cups-pdf:/".
instance=$(echo "$queue" | tr 'A-Z' 'a-z')
cat >"/etc/cups/cups-pdf-$instance.conf" <<EOF
Out $out
AnonDirName $out
Label 0
EOF
lpadmin -p "$queue" -v "cups-pdf:/$instance" -P "$ppd" -E 2>/dev/null || fail "lpadmin could not make $queue"
lpadmin -d "$queue" || fail "$queue could not become the default printer"
echo "$queue"
