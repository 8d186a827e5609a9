# shellcheck shell=bash
# Sourced by scripts/test.sh: a print system for the printing tests. Starts the CUPS
# daemon when none is running, adds a PDF queue (CUPS-PDF) and exports
#   QV_TEST_PRINTER  the queue's name
#   QV_CUPS_PDF_DIR  where CUPS-PDF puts the PDFs of this user's jobs
# qv_cups_stop removes the queue and stops the daemon again if this script added them.
# Without a queue the printing tests skip themselves with a message on a developer's
# machine; in CI (CI=true) they would fail, so qv_cups_start fails at once instead.

QV_CUPS_QUEUE=QuorvaneTestPDF
QV_CUPS_STARTED_PID=""
QV_CUPS_STARTED_JOB=""
QV_CUPS_ADDED_QUEUE=""

source "$(dirname "${BASH_SOURCE[0]}")/as-root.sh"

# The queue cannot be had: says what that means for the printing tests here. Fails in
# CI, where those tests fail rather than skip; the caller stops there.
qv_cups_unavailable() {
  if [ "${CI:-}" = true ] || [ "${CI:-}" = 1 ]; then
    echo "cups: $1; CI runs the printing tests, so they cannot pass without the queue" >&2
    return 1
  fi
  echo "cups: $1; printing tests will be skipped"
}

qv_cups_running() {
  lpstat -r 2>/dev/null | grep -q "scheduler is running"
}

# Starts the daemon in the background. $! is sudo when sudo runs it, so the shell
# that becomes the daemon (exec) writes its own pid for qv_cups_stop.
qv_cups_launch() {
  local pidfile
  pidfile=$(mktemp)
  # shellcheck disable=SC2016 # $$ and $1 belong to the inner shell
  qv_as_root sh -c 'echo $$ >"$1"; exec /usr/sbin/cupsd -f' sh "$pidfile" >/dev/null 2>&1 &
  QV_CUPS_STARTED_JOB=$!
  for _ in $(seq 1 50); do
    [ -s "$pidfile" ] && break
    sleep 0.1
  done
  QV_CUPS_STARTED_PID=$(cat "$pidfile")
  rm -f "$pidfile"
}

qv_cups_start() {
  if [ ! -x /usr/sbin/cupsd ] || [ ! -x /usr/sbin/lpadmin ] || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    qv_cups_unavailable "no CUPS daemon or CUPS-PDF here"
    return
  fi
  if ! qv_cups_running; then
    qv_as_root mkdir -p /run/cups
    qv_cups_launch
    for _ in $(seq 1 50); do
      qv_cups_running && break
      sleep 0.2
    done
    if ! qv_cups_running; then
      qv_cups_stop
      qv_cups_unavailable "the CUPS daemon did not start"
      return
    fi
  fi
  if ! lpstat -p "$QV_CUPS_QUEUE" >/dev/null 2>&1; then
    # pdftocairo keeps the text of the printed pages readable in the produced PDF.
    if ! qv_as_root /usr/sbin/lpadmin -p "$QV_CUPS_QUEUE" -E -v cups-pdf:/ \
      -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd -o pdftops-renderer-default=pdftocairo 2>/dev/null; then
      qv_cups_stop
      qv_cups_unavailable "cannot add the queue $QV_CUPS_QUEUE"
      return
    fi
    QV_CUPS_ADDED_QUEUE=$QV_CUPS_QUEUE
  fi
  local out home
  out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n1)
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  out=${out:-'${HOME}/PDF'}
  export QV_TEST_PRINTER=$QV_CUPS_QUEUE
  export QV_CUPS_PDF_DIR=${out//'${HOME}'/$home}
  echo "cups: printing tests use queue $QV_TEST_PRINTER, PDFs in $QV_CUPS_PDF_DIR"
}

qv_cups_stop() {
  if [ -n "$QV_CUPS_ADDED_QUEUE" ]; then
    qv_as_root /usr/sbin/lpadmin -x "$QV_CUPS_ADDED_QUEUE" 2>/dev/null || true
    QV_CUPS_ADDED_QUEUE=""
  fi
  # Only while that pid is still a cupsd: after the daemon's own exit the number may be another's.
  if [ -n "$QV_CUPS_STARTED_PID" ] && [ "$(cat "/proc/$QV_CUPS_STARTED_PID/comm" 2>/dev/null)" = cupsd ]; then
    qv_as_root kill "$QV_CUPS_STARTED_PID" 2>/dev/null || true
  fi
  if [ -n "$QV_CUPS_STARTED_JOB" ]; then
    wait "$QV_CUPS_STARTED_JOB" 2>/dev/null || true
  fi
  QV_CUPS_STARTED_PID=""
  QV_CUPS_STARTED_JOB=""
}
