#!/usr/bin/env bash
# A private CUPS scheduler for the print tests, beside any system-wide one and never touching it:
# its configuration, socket, spool, state and logs all lie in one folder.
#
#   cups-test-server.sh start DIR [PID]
#                                   starts cupsd on DIR/cups.sock with two queues that write what
#                                   the printer receives into DIR/out/QUEUE.ps:
#                                     Tarvex_PDF      the cups-pdf driver's PostScript (A4, no
#                                                     unprintable margins)
#                                     Tarvex_Margins  CUPS's generic PostScript printer (Letter by
#                                                     default, 12 pt unprintable on every side)
#                                   Clients reach it with CUPS_SERVER=DIR/cups.sock. With PID
#                                   it stops by itself once that process has ended (a test
#                                   program that crashed leaves no scheduler behind).
#   cups-test-server.sh stop DIR    stops it (the folder stays for a look at the logs).
#
# Exits non-zero with a message on stderr when the scheduler cannot be started.
set -euo pipefail
# cupsd, lpadmin and cupsenable live in sbin, which a user's PATH may lack.
export PATH="$PATH:/usr/sbin:/sbin"

cmd="${1:-}"
dir="${2:-}"
owner="${3:-}"
if [ -z "$cmd" ] || [ -z "$dir" ]; then
    echo "usage: $0 start|stop DIR" >&2
    exit 2
fi
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
sock="$dir/cups.sock"

stop() {
    if [ -f "$dir/cupsd.pid" ]; then
        local pid
        pid="$(cat "$dir/cupsd.pid")"
        if kill "$pid" 2>/dev/null; then
            for _ in $(seq 1 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            kill -9 "$pid" 2>/dev/null || true
        fi
        rm -f "$dir/cupsd.pid"
    fi
}

case "$cmd" in
    stop)
        stop
        exit 0
        ;;
    start) ;;
    *)
        echo "usage: $0 start|stop DIR" >&2
        exit 2
        ;;
esac

CUPSD="$(command -v cupsd || true)"
[ -z "$CUPSD" ] && [ -x /usr/sbin/cupsd ] && CUPSD=/usr/sbin/cupsd
if [ -z "$CUPSD" ] || ! command -v lpadmin >/dev/null; then
    echo "cups-test-server: cupsd or lpadmin is missing (Debian packages cups, cups-client:" \
        "scripts/install-deps.sh installs them)" >&2
    exit 1
fi
ppd_pdf=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
if [ ! -f "$ppd_pdf" ]; then
    echo "cups-test-server: $ppd_pdf is missing (Debian package printer-driver-cups-pdf)" >&2
    exit 1
fi

stop
mkdir -p "$dir"/{conf/ppd,spool/tmp,cache,state/certs,log,out}
# The filters run as the user of the scheduler's choice (lp when it runs as root): they must
# reach the spool and write the output.
if [ "$(id -u)" -eq 0 ]; then
    user=lp
    group=lp
    sysgroup=root
else
    user="$(id -un)"
    group="$(id -gn)"
    sysgroup="$group"
fi
chmod 0755 "$dir" "$dir"/{conf,conf/ppd,cache,state,log}
chmod 1777 "$dir/out" "$dir/spool/tmp"
chmod 0710 "$dir/spool" "$dir/state/certs"
if [ "$(id -u)" -eq 0 ]; then
    chgrp "$group" "$dir/spool" "$dir/state/certs"
fi

cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User $user
$([ "$group" != "$sysgroup" ] && echo "Group $group")
SystemGroup $sysgroup
FileDevice Yes
Sandboxing relaxed
EOF
cat >"$dir/conf/cupsd.conf" <<EOF
Listen $sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel info
MaxLogSize 0
PreserveJobHistory Yes
PreserveJobFiles No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

"$CUPSD" -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
    >>"$dir/log/cupsd.out" 2>&1 </dev/null &
echo $! >"$dir/cupsd.pid"
export CUPS_SERVER="$sock"
running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }
for _ in $(seq 1 100); do
    if [ -S "$sock" ] && running; then break; fi
    if ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then break; fi
    sleep 0.1
done
if ! running; then
    echo "cups-test-server: the private CUPS scheduler did not start (log: $dir/log)" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -20 >&2
    stop
    exit 1
fi

add_queue() {
    local name="$1"
    shift
    if ! lpadmin -p "$name" -E -v "file://$dir/out/$name.ps" "$@" >>"$dir/log/lpadmin.out" 2>&1; then
        echo "cups-test-server: the queue $name could not be set up (log: $dir/log)" >&2
        tail -20 "$dir/log/lpadmin.out" >&2
        stop
        exit 1
    fi
}
add_queue Tarvex_PDF -P "$ppd_pdf"
add_queue Tarvex_Margins -m drv:///sample.drv/generic.ppd
lpadmin -d Tarvex_PDF >>"$dir/log/lpadmin.out" 2>&1
if [ -n "$owner" ]; then
    pid="$(cat "$dir/cupsd.pid")"
    nohup bash -c "while kill -0 $owner 2>/dev/null && kill -0 $pid 2>/dev/null; do sleep 1; done
                   kill $pid 2>/dev/null" >/dev/null 2>&1 &
fi
echo "$sock"
