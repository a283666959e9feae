# bash completion for dwelvane-cli. The commands and their options are read from the
# program itself ('dwelvane-cli help --completion [COMMAND]', made from the table its help
# comes from), so that they are always those of the installed program.

_dwelvane_cli_commands() {
  "$1" help --completion 2>/dev/null
}

# One line per option of the command: --name [VALUE [CHOICE ...]].
_dwelvane_cli_options() {
  "$1" help --completion "$2" 2>/dev/null
}

# Completes the value of an option: a file, one of its choices, a comma-separated LIST of
# them, or nothing for free text.
_dwelvane_cli_value() {
  local value=$1 current=$2
  shift 2
  case $value in
    FILE)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -f -- "$current"))
      ;;
    LIST)
      # The last name is completed, the ones before it kept.
      local done=${current%"${current##*,}"}
      COMPREPLY=($(compgen -P "$done" -W "$*" -- "${current##*,}"))
      compopt -o nospace 2>/dev/null
      ;;
    *)
      (($# > 0)) && COMPREPLY=($(compgen -W "$*" -- "$current"))
      ;;
  esac
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
  local options name value choices
  options=$(_dwelvane_cli_options "$program" "$command")
  if [[ $previous == --* ]]; then
    while read -r name value choices; do
      if [[ $name == "$previous" && -n $value ]]; then
        _dwelvane_cli_value "$value" "$current" $choices
        return
      fi
    done <<<"$options"
  fi
  if [[ $current == -* ]]; then
    COMPREPLY=($(compgen -W "$(cut -d ' ' -f 1 <<<"$options" | sort) --help" -- "$current"))
    return
  fi
  compopt -o filenames 2>/dev/null
  COMPREPLY=($(compgen -d -- "$current"))
}

complete -F _dwelvane_cli dwelvane-cli
