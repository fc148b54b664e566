#!/usr/bin/env bash
# Printing targets: a 10,000-line tape onto the PDF queue within 5 s, with a peak memory
# that does not grow with the number of pages; the print dialog open within 100 ms with
# the PDF queue and one more printer installed.
# Usage: bench/print.sh [BUILD_DIR]   (default build/release, else build/debug)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-}"
if [ -z "$build" ]; then
  build="$here/../build/release"
  [ -x "$build/bench/print_probe" ] || build="$here/../build/debug"
fi
probe="$build/bench/print_probe"
[ -x "$probe" ] || { echo "print.sh: build the print_probe target first ($probe)" >&2; exit 2; }

"$here/../tests/print/cups_pdf_queue.sh" >/dev/null
# The second printer: another PDF queue, so the dialog lists more than one.
SUMIPLEX_PDF_QUEUE=SumiplexPDF2 "$here/../tests/print/cups_pdf_queue.sh" >/dev/null

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# Each size in its own process, so each peak memory figure is its own.
"$probe" SumiplexPDF 100
"$probe" SumiplexPDF 1000
"$probe" SumiplexPDF 10000
