#!/usr/bin/env bash
# Makes sure a CUPS PDF queue is ready for the printing tests: starts cupsd when it is not
# running and adds the queue when it is missing. Safe to run again and again.
# Prints the folder the queue writes its PDF files into; exits 77 (skip) with one line on
# stderr when it cannot (not root and no cupsd running, or the PDF back end not installed).
set -euo pipefail

queue="${SUMIPLEX_PDF_QUEUE:-SumiplexPDF}"
outdir="/var/spool/sumiplex-pdf"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd

skip() {
  echo "cups_pdf_queue: skipped: $*" >&2
  exit 77
}

for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "/usr/sbin/$tool" ] || skip "$tool is not installed (run scripts/setup)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf back end is not installed (run scripts/setup)"
[ -f "$ppd" ] || skip "the cups-pdf driver file $ppd is missing"
export PATH="$PATH:/usr/sbin"

is_root=0
[ "$(id -u)" -eq 0 ] && is_root=1

scheduler_up() { lpstat -r 2>/dev/null | grep -q "is running"; }

if ! scheduler_up; then
  [ "$is_root" -eq 1 ] || skip "cupsd is not running and starting it needs root"
  # No init system in a container: start the daemon ourselves, in the background.
  cupsd
  for _ in $(seq 1 50); do
    scheduler_up && break
    sleep 0.1
  done
  scheduler_up || skip "cupsd did not start (see /var/log/cups/error_log)"
fi

uri="cups-pdf:/$queue"
if ! lpstat -v "$queue" 2>/dev/null | grep -q "$uri\$"; then
  [ "$is_root" -eq 1 ] || skip "the queue $queue is missing and adding it needs root"
  # cups-pdf reads the configuration named after the queue's address, so this queue writes
  # into a folder of its own and the tests never look through a user's PDF folder.
  mkdir -p "$outdir"
  chmod 0777 "$outdir"
  cat >"/etc/cups/cups-pdf-$queue.conf" <<CONF
Out $outdir
AnonDirName $outdir
Label 1
DecodeHexStrings 1
CONF
  lpadmin -p "$queue" -E -v "$uri" -P "$ppd" -o printer-error-policy=abort-job 2>/dev/null
fi
# A queue left stopped or rejecting by an earlier failure takes jobs again. The cairo
# renderer keeps the text of the pages readable by pdftotext through the PostScript step.
if [ "$is_root" -eq 1 ]; then
  lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo 2>/dev/null || true
  cupsenable "$queue" 2>/dev/null || /usr/sbin/cupsenable "$queue" 2>/dev/null || true
  cupsaccept "$queue" 2>/dev/null || /usr/sbin/cupsaccept "$queue" 2>/dev/null || true
fi
echo "$outdir"
