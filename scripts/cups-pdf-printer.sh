#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running and makes a PDF printer
# (cups-pdf) the default queue, so that printing from the programs can be
# tried without paper. The PDF files land in ~/PDF.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

running() { lpstat -r 2>/dev/null | grep -q "is running"; }
if ! running; then
  $sudo cupsd
  for _ in $(seq 100); do running && break; sleep 0.1; done
fi
lpstat -p PDF >/dev/null 2>&1 ||
  $sudo lpadmin -p PDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E
$sudo lpadmin -d PDF
lpstat -d
