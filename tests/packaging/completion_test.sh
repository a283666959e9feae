#!/usr/bin/env bash
# The bash completion of dwelvane-cli against the program itself: what each partly typed
# command line completes to.
# usage: completion_test.sh COMPLETION_SCRIPT DWELVANE_CLI
set -uo pipefail
source "$1"
cli=$2
failures=0

# Completes the words as bash would with the cursor at the end of the last one.
completions() {
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$#
  _dwelvane_cli
  echo "${COMPREPLY[*]}"
}

expect() {
  local wanted=$1
  shift
  local got
  got=$(completions "$@")
  if [ "$got" != "$wanted" ]; then
    echo "FAIL: dwelvane-cli $* -> '$got', wanted '$wanted'"
    failures=$((failures + 1))
  fi
}

expect "dialogue stats speakers check tag export import recording help --help --version" ""
expect "stats speakers" s
expect "check" help c
expect "--encoding" dialogue --en
expect "--audio-folder --baseline --code-page --disable --enable --error --follow-outside-links --format --include-inc --language --po --stored --string-table --syntax --unused-audio --write-baseline --help" check --
expect "en de" stats --language ""
expect "text csv html" speakers --format ""
expect "utf-8 utf-8-bom" stats --encoding utf
expect "line,speaker" dialogue --columns line,sp
expect "" dialogue --separator ""
project=$(mktemp -d)
mkdir "$project/Demo" "$project/Docs"
expect "$project/Demo" stats "$project/De"
rm -rf "$project"
[ "$failures" -eq 0 ] && echo "all completions as wanted"
exit "$failures"
