#!/bin/sh
# Stands in for stunnel 5.68 run in the foreground: the log lines it prints on standard error,
# then it listens on 127.0.0.1:1194 as stunnel does until it is ended. FAKE_STUNNEL_FAIL makes it
# stop on a bad configuration; FAKE_STUNNEL_NO_LISTEN makes it confirm and then never listen.
now() { date '+%Y.%m.%d %H:%M:%S'; }
config="$1"
if [ -n "$FAKE_STUNNEL_RECORD" ]; then cp "$config" "$FAKE_STUNNEL_RECORD" 2>/dev/null; fi
echo "$(now) LOG5[ui]: stunnel 5.68 on x86_64-pc-linux-gnu platform" >&2
echo "$(now) LOG5[ui]: Reading configuration from file $config" >&2
if [ ! -r "$config" ] || [ -n "$FAKE_STUNNEL_FAIL" ]; then
  echo "$(now) LOG3[ui]: Cannot read configuration" >&2
  exit 1
fi
echo "$(now) LOG5[ui]: UTF-8 byte order mark not detected" >&2
echo "$(now) LOG4[ui]: Service [openvpn] needs authentication to prevent MITM attacks" >&2
echo "$(now) LOG5[ui]: Configuration successful" >&2
if [ -n "$FAKE_STUNNEL_NO_LISTEN" ] || [ -z "$CORVALINK_FAKE_PEER" ]; then exec sleep 3600; fi
# The same process listens, as stunnel does: the client checks whose listener it is.
exec "$CORVALINK_FAKE_PEER" listen 127.0.0.1 1194
