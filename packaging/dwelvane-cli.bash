# bash completion for dwelvane-cli. The commands and their options are read from the
# program's own help, so that they are always those of the installed program.

_dwelvane_cli_commands() {
  "$1" --help 2>/dev/null | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z]*\) .*/\1/p'
}

# The values of an option written as [--option a|b|c] in the command's usage.
_dwelvane_cli_listed_values() {
  "$1" help "$2" 2>/dev/null | grep -o -- "\[$3 [a-z0-9|-]*\]" | head -n 1 |
    sed 's/^\[[^ ]* //; s/\]$//; s/|/ /g'
}

_dwelvane_cli() {
  local program=${COMP_WORDS[0]} current=${COMP_WORDS[COMP_CWORD]}
  local previous=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  if ((COMP_CWORD == 1)); then
    COMPREPLY=($(compgen -W "$(_dwelvane_cli_commands "$program") help --help --version" \
      -- "$current"))
    return
  fi
  local command=${COMP_WORDS[1]}
  if [[ $command == help ]]; then
    ((COMP_CWORD == 2)) &&
      COMPREPLY=($(compgen -W "$(_dwelvane_cli_commands "$program")" -- "$current"))
    return
  fi
  case $previous in
    --output | --string-table)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -f -- "$current"))
      return
      ;;
    --encoding)
      COMPREPLY=($(compgen -W "bytes utf-8 utf-8-bom" -- "$current"))
      return
      ;;
    --columns)
      # A comma-separated list: the last name is completed, the ones before it kept.
      local done=${current%"${current##*,}"}
      COMPREPLY=($(compgen -P "$done" -W "location name line speaker sentence audio \
reference translate" -- "${current##*,}"))
      compopt -o nospace 2>/dev/null
      return
      ;;
    --separator)
      return
      ;;
    --*)
      local values
      values=$(_dwelvane_cli_listed_values "$program" "$command" "$previous")
      if [[ -n $values ]]; then
        COMPREPLY=($(compgen -W "$values" -- "$current"))
        return
      fi
      ;;
  esac
  if [[ $current == -* ]]; then
    COMPREPLY=($(compgen -W "$("$program" help "$command" 2>/dev/null |
      grep -o -- '--[a-z][a-z-]*' | sort -u) --help" -- "$current"))
    return
  fi
  compopt -o filenames 2>/dev/null
  COMPREPLY=($(compgen -d -- "$current"))
}

complete -F _dwelvane_cli dwelvane-cli
