#!/usr/bin/env bash
# A 07:00 alarm rings within a second of 07:00; Return (OK) closes it and it stays closed that minute.
# Usage: notify_ok.sh WAKERY DEFAULT_WAV
source "$(dirname "$0")/notify_lib.sh"
e2e_setup "$1" "$2"
# The fake day is today, so the alarm's weekday is today's; any real time of day works.
e2e_write_alarm "7:00:00 AM"
e2e_set_offset "$(e2e_offset_to 06:59:54)"
e2e_start_program

id=$(e2e_wait_window 10) || e2e_fail "no Alarm! window by fake $(date -d "@$(e2e_fake_now)" +%T)"
seen=$(e2e_fake_now)
minute_start=$(date -d "today 07:00:00" +%s)
late=$(e2e_calc "$seen - $minute_start")
echo "Alarm! window seen ${late} s after 07:00:00 (fake)"
e2e_true "$late >= 0 && $late < 1" || e2e_fail "the window came ${late} s from 07:00:00"

xdotool windowactivate --sync "$id" 2>/dev/null || true
e2e_key Return
e2e_wait_gone 3
# Later in the same minute it must not come back, whatever ticks run.
e2e_set_offset "$(e2e_offset_to 07:00:40)"
e2e_expect_no_window 7
kill -0 "$E2E_PROGRAM" || e2e_fail "the program ended after OK"
echo "PASS"
