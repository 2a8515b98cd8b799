#!/usr/bin/env bash
# Snooze with the default duration 00:05 rings the 07:00 alarm again at 07:05, not before.
# Usage: notify_snooze.sh WAKERY DEFAULT_WAV
source "$(dirname "$0")/notify_lib.sh"
e2e_setup "$1" "$2"
e2e_write_alarm "7:00:00 AM"
e2e_set_offset "$(e2e_offset_to 06:59:58)"
e2e_start_program

id=$(e2e_wait_window 10) || e2e_fail "no Alarm! window at 07:00"
xdotool windowactivate --sync "$id" 2>/dev/null || true
# OK has the focus; Tab moves it to Snooze, whose Return snoozes with the box's 00:05.
e2e_key Tab Return
e2e_wait_gone 3

# Jump to just before 07:05: nothing yet, then the ring within a second of 07:05:00.
e2e_set_offset "$(e2e_offset_to 07:04:56)"
e2e_expect_no_window 2.5
id=$(e2e_wait_window 8) || e2e_fail "no Alarm! window at 07:05 (fake $(date -d "@$(e2e_fake_now)" +%T))"
seen=$(e2e_fake_now)
late=$(e2e_calc "$seen - $(date -d "today 07:05:00" +%s)")
echo "snoozed Alarm! window seen ${late} s after 07:05:00 (fake)"
e2e_true "$late >= 0 && $late < 1" || e2e_fail "the snoozed ring came ${late} s from 07:05:00"
echo "PASS"
