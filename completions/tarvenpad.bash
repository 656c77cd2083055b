# bash completion for tarvenpad: commands, each command's options, and configuration files.
# Plain compgen only, so it works without the bash-completion package's helpers.

_tarvenpad() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="units show import export write read diff watch identify restore legend preset mame retroarch keys help"
    local unitopts="--emulate --emulate-fault --demo --trace"
    COMPREPLY=()

    # The command is the first word that is neither an option nor an option's value.
    local command="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --unit | --serial | --emulate | --emulate-fault | --backup | --log | --roles | --output | --from) ((i++)) ;;
        -*) ;;
        *)
            command=${COMP_WORDS[i]}
            break
            ;;
        esac
    done

    case $prev in
    --unit)
        COMPREPLY=($(compgen -W "1 2 3 4" -- "$cur"))
        return
        ;;
    --serial)
        # The serial numbers of the units attached now, as 'units' lists them.
        COMPREPLY=($(compgen -W "$(tarvenpad units 2>/dev/null | awk 'NF == 2 { print $2 }')" -- "$cur"))
        return
        ;;
    --emulate)
        COMPREPLY=($(compgen -W "0 1 2 3 4" -- "$cur"))
        return
        ;;
    --emulate-fault)
        COMPREPLY=($(compgen -W "fail: drop:" -- "$cur"))
        compopt -o nospace 2>/dev/null
        return
        ;;
    --roles)
        COMPREPLY=($(compgen -W "1p6 2p6 2p8 4p4" -- "$cur"))
        return
        ;;
    --from)
        # The emulators' own keys, or an emulator's configuration file.
        COMPREPLY=($(compgen -W "mame retroarch" -- "$cur"))
        local f IFS=$'\n'
        for f in $(compgen -f -- "$cur"); do
            [[ -d $f || ${f,,} == *.cfg ]] && COMPREPLY+=("$f")
        done
        compopt -o filenames 2>/dev/null
        return
        ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    local options=""
    case $command in
    units) options="--json $unitopts" ;;
    show) options="--json" ;;
    import) options="--replace-roles" ;;
    write) options="--unit --serial --all --backup --replace-roles $unitopts" ;;
    read) options="--unit --serial --replace-roles $unitopts" ;;
    diff) options="--unit --serial --json $unitopts" ;;
    watch) options="--log --json $unitopts" ;;
    identify) options="--unit --serial --json --roles --output --replace-roles --trace" ;;
    restore) options="--serial --forget --trace" ;;
    preset) options="--list --replace-roles" ;;
    retroarch) options="--merge" ;;
    keys) options="--from --replace-roles" ;;
    help)
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return
    fi
    [[ $command == @(units|restore) ]] && return
    # identify takes no file, but --output names one.
    [[ $command == identify && $prev != --output ]] && return
    # A preset's name first, then the file it goes into.
    if [[ $command == preset && $prev == preset ]]; then
        COMPREPLY=($(compgen -W "arcade-one-player arcade-two-players arrow-keys-and-buttons" -- "$cur"))
        return
    fi

    # Directories, .TPD and .json files, whatever their case.
    local f IFS=$'\n'
    for f in $(compgen -f -- "$cur"); do
        if [[ -d $f || ${f,,} == *.tpd || ${f,,} == *.json ||
            ($command == legend && ${f,,} == *.@(pdf|svg|png)) ||
            ($command == @(mame|retroarch) && ${f,,} == *.cfg) ]]; then
            COMPREPLY+=("$f")
        fi
    done
    compopt -o filenames 2>/dev/null
}

complete -F _tarvenpad tarvenpad
