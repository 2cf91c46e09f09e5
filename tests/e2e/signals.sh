#!/usr/bin/env bash
# SIGINT, SIGTERM, SIGHUP (the terminal closing) and SIGQUIT end the game
# through its quit path, with the conventional exit code 128 + n; SIGUSR1,
# SIGUSR2 and SIGALRM do not end it.
# Usage: signals.sh GAME DATA [OUT]
source "$(dirname "$0")/lib.sh"
begin_scenario "$@"
# The second era's background is missing: choosing that era on the menu
# buffers a diagnostic, which the quit path flushes and the default action of
# a signal would lose.
use_data_copy background9.bmp

for signal in INT TERM HUP QUIT; do
    launch_game
    xdotool key Down
    wait_for_change start era2
    for stray in USR1 USR2 ALRM; do kill -s "$stray" "$pid"; done
    kill -s "$signal" "$pid"
    wait_until_gone "SIG$signal"
    expected=$((128 + $(kill -l "$signal")))
    [ "$code" -eq "$expected" ] || fail "exit code $code after SIG$signal, expected $expected"
    grep -q "can't open file: background9.bmp" "$out/stdout.txt" ||
        fail "SIG$signal skipped the quit path: the diagnostics were lost"
done
check_stdout
echo "e2e: SIGINT, SIGTERM, SIGHUP and SIGQUIT end the game through its quit path"
