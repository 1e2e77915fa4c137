# bash completion for orvanectl                                    -*- shell-script -*-

_orvanectl() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local options="--app-dir --simulate --simulate= --json --help --version"
    local commands="devices status apply set profile dump reset udev-rule"

    # The command and what follows it, past the global options.
    local i=1 command="" args=()
    while [ $i -lt "$COMP_CWORD" ]; do
        local w=${COMP_WORDS[i]}
        if [ -z "$command" ]; then
            case $w in
                --app-dir) i=$((i + 1)) ;;
                -*) ;;
                *) command=$w ;;
            esac
        else
            args+=("$w")
        fi
        i=$((i + 1))
    done

    if [ "$prev" = "--app-dir" ]; then
        COMPREPLY=($(compgen -d -- "$cur"))
        return
    fi
    if [ -z "$command" ]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$options" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    local n=${#args[@]} words=""
    case $command in
        set)
            if [ "$n" -eq 0 ]; then
                words="polling dpi dpi-enable dpi-colour debounce sleep lift-off button"
            else
                case ${args[0]}:$n in
                    polling:1) words="125 250 500 1000" ;;
                    lift-off:1) words="1 2" ;;
                    dpi:1 | dpi-enable:1 | dpi-colour:1) words="1 2 3 4" ;;
                    dpi-enable:2) words="on off" ;;
                    sleep:1) words="1 2 3 4 5 6 7 8 9 10" ;;
                    button:1) words="1 2 3 4 5 6" ;;
                    button:2) words="left right middle back forward disable dpi-cycle dpi-up dpi-down fire key
                                     media-player prev next stop play-pause mute volume-up volume-down email
                                     calculator my-computer alt-f4 show-desktop run minimise maximise macro" ;;
                esac
            fi
            ;;
        profile)
            if [ "$n" -eq 0 ]; then
                words="show export import select"
            elif [ "$n" -eq 1 ]; then
                words="1 2 3 4 5"
            elif [ "$n" -eq 2 ] && [[ ${args[0]} == export || ${args[0]} == import ]]; then
                COMPREPLY=($(compgen -f -- "$cur"))
                return
            fi
            ;;
        dump)
            if [ "$n" -eq 0 ]; then
                words="profile settings library language"
            elif [ "$n" -eq 1 ]; then
                COMPREPLY=($(compgen -f -- "$cur"))
                return
            fi
            ;;
        apply) [ "$n" -eq 0 ] && words="--profile" ;;
        reset) [ "$n" -eq 0 ] && words="--yes" ;;
        udev-rule) [ "$n" -eq 0 ] && words="--install" ;;
    esac
    COMPREPLY=($(compgen -W "$words" -- "$cur"))
}

complete -F _orvanectl orvanectl
