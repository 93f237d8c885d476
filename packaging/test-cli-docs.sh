#!/bin/bash
# The CLI's man pages render without warnings, and its bash completion offers exactly the
# subcommands the program lists in its --help, plus their actions and option values.
#   test-cli-docs.sh MARQUEE_PROGRAM PACKAGING_FOLDER
set -eu
program=$1
folder=$2
fail() { echo "cli docs test: $*" >&2; exit 1; }

for page in marquee.1 marquee-sim.1; do
  warnings=$(groff -man -Tutf8 -ww -z "$folder/$page" 2>&1) || fail "$page does not render"
  [ -z "$warnings" ] || fail "$page: $warnings"
done

source "$folder/marquee.bash-completion"
complete -p marquee | grep -q -- "-F _marquee" || fail "no completion for marquee"
offers() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _marquee
  echo "${COMPREPLY[*]}"
}
listed=$("$program" --help | sed -n '/^commands:/,/^$/s/^  \([a-z]*\).*/\1/p' | sort | tr '\n' ' ')
offered=$(offers marquee "" | tr ' ' '\n' | grep -v '^--' | sort | tr '\n' ' ')
[ "$listed" = "$offered" ] || fail "completion offers '$offered', the program lists '$listed'"
[ "$(offers marquee db l)" = "list lines" ] || fail "db actions"
[ "$(offers marquee encode --effect scroll)" = "scroll-repeatedly scroll-once" ] || fail "effect names"
[ "$(offers marquee send --ba)" = "--baud" ] || fail "send options"
echo "cli docs test: man pages render, completion matches the program"
