// The walkers of the completion scripts: each reads the line the way orvanectl's parser does
// (its own options anywhere, "--" ending them, a command, its subcommand, the command's options
// and their values, positional words) and asks the data functions what the word at the cursor
// may be. The data functions follow from the command table.
#include "cli/CompletionScripts.h"

namespace orvane::cli {

std::string bashScript() {
    return R"SH(# bash completion for orvanectl, written by `orvanectl completion bash`   -*- shell-script -*-

# The library's macro names or set numbers, or the DPI values of the sensor last seen, from the
# files the line's --app-dir and --simulate choose.
_orvanectl_library() {
    "$_orvanectl_program" "${_orvanectl_folder[@]}" completion "$@" 2>/dev/null
}

_orvanectl() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local i=1 w path="" needsub=0 npos=0 last="" pending="" ended=0 used=" "
    local subs opts valued action cands
    local _orvanectl_program=${COMP_WORDS[0]}
    local -a _orvanectl_folder=()
    COMPREPLY=()
    while ((i < COMP_CWORD)); do
        w=${COMP_WORDS[i]}
        i=$((i + 1))
        if [[ -n $pending ]]; then
            [[ $pending == --app-dir ]] && _orvanectl_folder+=(--app-dir "$w")
            pending=""
            continue
        fi
        if ((!ended)); then
            case $w in
                --) ended=1; continue ;;
                --app-dir)
                    # bash splits --app-dir=DIR at the "=".
                    [[ ${COMP_WORDS[i]} == = ]] && i=$((i + 1))
                    pending=$w
                    continue ;;
                --app-dir=*) _orvanectl_folder+=("$w"); continue ;;
                --simulate | --simulate=*)
                    _orvanectl_folder+=(--simulate)
                    while [[ ${COMP_WORDS[i]} == = ]] && ((i + 1 < COMP_CWORD)); do i=$((i + 2)); done
                    continue ;;
                --json | --help | -h | --version) continue ;;
            esac
        fi
        if [[ -z $path ]]; then
            path=$w
            _orvanectl_subs "$w"
            [[ -n $subs ]] && needsub=1
        elif ((needsub)); then
            path="$path $w"
            needsub=0
        else
            _orvanectl_options "$path"
            if ((!ended)) && [[ " $opts " == *" $w "* ]]; then
                used+="$w "
                [[ " $valued " == *" $w "* ]] && pending=$w
            else
                last=$w
                npos=$((npos + 1))
            fi
        fi
    done

    if [[ $pending == --app-dir ]]; then
        _orvanectl_reply folders
        return
    fi
    if [[ -z $path || $needsub == 1 ]]; then
        if ((!ended)) && [[ $cur == -* ]]; then
            cands="@GLOBALS@"
        elif [[ -z $path ]]; then
            cands="@COMMANDS@"
        else
            _orvanectl_subs "$path"
            cands=$subs
        fi
        _orvanectl_reply words
        return
    fi
    _orvanectl_options "$path"
    local free="" o
    for o in $opts; do [[ $used == *" $o "* ]] || free+="$o "; done
    if [[ -z $pending ]] && ((!ended)) && [[ $cur == -* ]]; then
        cands="@GLOBALS@ $free"
        _orvanectl_reply words
        return
    fi
    if [[ -n $pending ]]; then
        _orvanectl_slot "$path|$pending"
    else
        _orvanectl_slot "$path|$npos|$last"
        # Where no word is expected, the command's own options are what may come.
        [[ -z $action ]] && action=words cands=$free
    fi
    _orvanectl_reply "$action"
}

_orvanectl_reply() {
    local name
    case $1 in
        words) mapfile -t COMPREPLY < <(compgen -W "$cands" -- "$cur") ;;
        files)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
        folders)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
        macros | button-macros | sets | dpi)
            local -a found=()
            if [[ $1 == sets || $1 == dpi ]]; then
                mapfile -t found < <(_orvanectl_library "$1")
            elif [[ $1 == macros ]]; then
                mapfile -t found < <(_orvanectl_library macros)
            else
                mapfile -t found < <(_orvanectl_library macros 1)
            fi
            for name in "${found[@]}"; do
                [[ $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
            done ;;
    esac
}
)SH";
}

std::string zshScript() {
    return R"SH(#compdef orvanectl
# zsh completion for orvanectl, written by `orvanectl completion zsh`

_orvanectl_library() {
    "$_orvanectl_program" "${_orvanectl_folder[@]}" completion "$@" 2>/dev/null
}

_orvanectl() {
    emulate -L zsh
    local cur=${words[CURRENT]}
    local -i i=2 needsub=0 npos=0 ended=0
    local w path="" last="" pending="" used=" " subs opts valued action cands
    local _orvanectl_program=${words[1]}
    local -a _orvanectl_folder
    while (( i < CURRENT )); do
        w=${words[i]}
        (( i++ ))
        if [[ -n $pending ]]; then
            [[ $pending == --app-dir ]] && _orvanectl_folder+=(--app-dir "$w")
            pending=""
            continue
        fi
        if (( ! ended )); then
            case $w in
                --) ended=1; continue ;;
                --app-dir) pending=$w; continue ;;
                --app-dir=*) _orvanectl_folder+=("$w"); continue ;;
                --simulate|--simulate=*) _orvanectl_folder+=(--simulate); continue ;;
                --json|--help|-h|--version) continue ;;
            esac
        fi
        if [[ -z $path ]]; then
            path=$w
            _orvanectl_subs "$w"
            [[ -n $subs ]] && needsub=1
        elif (( needsub )); then
            path="$path $w"
            needsub=0
        else
            _orvanectl_options "$path"
            if (( ! ended )) && [[ " $opts " == *" $w "* ]]; then
                used+="$w "
                [[ " $valued " == *" $w "* ]] && pending=$w
            else
                last=$w
                (( npos++ ))
            fi
        fi
    done

    if [[ $pending == --app-dir ]]; then
        _files -/
        return
    fi
    if [[ -z $path ]] || (( needsub )); then
        if (( ! ended )) && [[ $cur == -* ]]; then
            cands="@GLOBALS@"
        elif [[ -z $path ]]; then
            cands="@COMMANDS@"
        else
            _orvanectl_subs "$path"
            cands=$subs
        fi
        compadd -- ${=cands}
        return
    fi
    _orvanectl_options "$path"
    local free="" o
    for o in ${=opts}; do [[ $used == *" $o "* ]] || free+="$o "; done
    if [[ -z $pending ]] && (( ! ended )) && [[ $cur == -* ]]; then
        cands="@GLOBALS@ $free"
        compadd -- ${=cands}
        return
    fi
    if [[ -n $pending ]]; then
        _orvanectl_slot "$path|$pending"
    else
        _orvanectl_slot "$path|$npos|$last"
        [[ -z $action ]] && action=words cands=$free
    fi
    local -a found
    case $action in
        words) compadd -- ${=cands} ;;
        files) _files ;;
        folders) _files -/ ;;
        macros) found=("${(@f)$(_orvanectl_library macros)}"); compadd -a found ;;
        button-macros) found=("${(@f)$(_orvanectl_library macros 1)}"); compadd -a found ;;
        sets|dpi) found=("${(@f)$(_orvanectl_library $action)}"); compadd -a found ;;
    esac
}
)SH";
}

std::string fishScript() {
    return R"SH(# fish completion for orvanectl, written by `orvanectl completion fish`

function __orvanectl_complete
    set -l tokens (commandline -opc)
    set -l cur (commandline -ct)
    set -l program $tokens[1]
    set -l folder
    set -l path
    set -l needsub 0
    set -l npos 0
    set -l last ''
    set -l pending ''
    set -l ended 0
    set -l used
    for w in $tokens[2..-1]
        if test -n "$pending"
            test "$pending" = --app-dir; and set folder $folder --app-dir $w
            set pending ''
            continue
        end
        if test $ended = 0
            switch $w
                case --
                    set ended 1
                    continue
                case --app-dir
                    set pending $w
                    continue
                case '--app-dir=*'
                    set folder $folder $w
                    continue
                case --simulate '--simulate=*'
                    set folder $folder --simulate
                    continue
                case --json --help -h --version
                    continue
            end
        end
        if test -z "$path"
            set path $w
            if test (count (__orvanectl_subs $w)) -gt 0
                set needsub 1
            end
        else if test $needsub = 1
            set path "$path $w"
            set needsub 0
        else
            set -l options (__orvanectl_options $path)
            if test $ended = 0; and contains -- $w (string replace -r '=$' '' -- $options)
                set used $used $w
                contains -- $w= $options; and set pending $w
            else
                set last $w
                set npos (math $npos + 1)
            end
        end
    end

    if test "$pending" = --app-dir
        __fish_complete_directories $cur
        return
    end
    if test -z "$path"; or test $needsub = 1
        if test $ended = 0; and string match -q -- '-*' $cur
            string split ' ' -- '@GLOBALS@'
        else if test -z "$path"
            string split ' ' -- '@COMMANDS@'
        else
            __orvanectl_subs $path
        end
        return
    end
    set -l free
    for o in (string replace -r '=$' '' -- (__orvanectl_options $path))
        contains -- $o $used; or set free $free $o
    end
    if test -z "$pending"; and test $ended = 0; and string match -q -- '-*' $cur
        string split ' ' -- '@GLOBALS@'
        printf '%s\n' $free
        return
    end
    set -l slot
    if test -n "$pending"
        set slot (__orvanectl_slot "$path|$pending")
    else
        set slot (__orvanectl_slot "$path|$npos|$last")
        test (count $slot) -eq 0; and set slot words $free
    end
    switch "$slot[1]"
        case macros button-macros sets dpi
            # The program as typed: fish reports one it cannot find even with its errors sent away.
            command -q -- $program; or return
    end
    switch "$slot[1]"
        case words
            printf '%s\n' $slot[2..-1]
        case files
            __fish_complete_path $cur
        case folders
            __fish_complete_directories $cur
        case macros
            $program $folder completion macros 2>/dev/null
        case button-macros
            $program $folder completion macros 1 2>/dev/null
        case sets dpi
            $program $folder completion $slot[1] 2>/dev/null
    end
end
)SH";
}

}  // namespace orvane::cli
