#!/usr/bin/env bash
# Plants each fault of faults.tsv in a scratch copy of the tree (BUILD/faults/src), rebuilds what
# its tests need there, runs them and puts the file back: faults.sh BUILD_DIR. FAULTS='h* s0*'
# keeps the rows whose ids match one of the globs. One line per row, then the closing count.
set -uo pipefail
shopt -u patsub_replacement 2>/dev/null
build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
# shellcheck source=tools/wine-arch.sh
source tools/wine-arch.sh
scratch="$root/$build/faults"
src="$scratch/src"
mkdir -p "$src" "$scratch/logs" "$scratch/corpus"
started=$(date +%s)

# The scratch tree follows this one: a changed file is copied anew (a fresh time, so it is
# rebuilt), a file gone from here goes there too.
git ls-files -co --exclude-standard | while IFS= read -r f; do
    [ -f "$f" ] && ! cmp -s "$f" "$src/$f" && mkdir -p "$src/$(dirname "$f")" && cp "$f" "$src/$f"
done
(cd "$src" && find . -type f -printf '%P\n' | sort) | comm -13 <(git ls-files -co --exclude-standard | sort) - |
    (cd "$src" && xargs -r rm -f --)

ready=" "   # the builds configured so far
build_target() {  # build_target FOLDER TARGET...: configures the folder once, then builds
    local dir=$1; shift
    if [[ $ready != *" $dir "* ]]; then
        case $dir in
        host) cmake -S "$src" -B "$scratch/host" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
                  -DCMAKE_BUILD_TYPE=Debug ;;
        win) cmake -S "$src" -B "$scratch/win" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
                 -DCMAKE_BUILD_TYPE=Release ;;
        win64) cmake -S "$src" -B "$scratch/win64" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" \
                   -DCMAKE_BUILD_TYPE=Release ;;
        esac >/dev/null || return 1
        ready+="$dir "
        [ "$dir" = "$SORVANE_WIN" ] && { cmake --build "$scratch/$dir" -j2 --target sorvane_e2e || return 1; }
    fi
    cmake --build "$scratch/$dir" -j2 --target "$@"
}

wine_up=
run_test() {  # run_test TEST: fails when the test catches the fault
    case $1 in
    unit:*) timeout 300 "$scratch/host/sorvane_unit" --gtest_filter="${1#unit:}" ;;   # a hang is a catch too
    fuzz) "$scratch/host/fuzz_settings" -max_total_time="${FAULTS_FUZZ_SECONDS:-30}" -timeout=20 -max_len=4096 \
              -artifact_prefix="$scratch/logs/fuzz-" "$scratch/corpus" ;;
    lint) (cd "$src" && bash tools/lint.sh) ;;
    e2e:*)
        if [ -z "$wine_up" ]; then
            export SORVANE_XVFB=1 SORVANE_SHIPPED_EXE="$scratch/win/Sorvane.exe"
            set +f   # the prefix's drives and fonts are found by globs
            # shellcheck source=tools/wine-env.sh
            source tools/wine-env.sh "$build/faults" && wine_up=1 && trap wine_env_stop EXIT
            set -f
        fi
        ctest --test-dir "$scratch/$SORVANE_WIN" --output-on-failure --no-tests=error -R "${1#e2e:}" ;;
    esac </dev/null
}

# The seed inputs of the fuzz target, where make fuzz has gathered some.
[ -d "$build/host/corpus-fuzz_settings" ] && cp -n "$build/host/corpus-fuzz_settings"/* "$scratch/corpus/" 2>/dev/null
caught=0 missed=0 unapplied=0 unobservable=0
set -f
while IFS= read -r -u 3 row; do
    [[ -z $row || $row == '#'* ]] && continue
    mapfile -t -d $'\t' f < <(printf '%s' "$row")
    f+=("" "" "" "" "")   # a short row reads as empty fields
    id=${f[0]} file=${f[1]} old=${f[2]//⏎/$'\n'} new=${f[3]//⏎/$'\n'} tests=${f[4]} harm=${f[5]}
    keep=; for glob in ${FAULTS:-*}; do [[ $id == $glob ]] && keep=1; done
    [ -n "$keep" ] || continue
    IFS= read -r -d '' text 2>/dev/null <"$src/$file"
    rest=${text//"$old"/}
    if [ -z "$old" ] || [ $((${#text} - ${#rest})) -ne ${#old} ]; then
        echo "$id did not apply"; ((unapplied++)); continue
    fi
    if [[ $tests == wine:* ]]; then
        echo "$id not observable under Wine:${tests#wine:}"; ((unobservable++)); continue
    fi
    t0=$(date +%s) log="$scratch/logs/$id.log" verdict=
    printf '%s' "${text/"$old"/"$new"}" >"$src/$file"
    {
        for entry in $tests; do
            case $entry in
            unit:*) build_target host sorvane_unit ;;
            fuzz) build_target host fuzz_settings ;;
            e2e:*ShippedFile*) build_target "$SORVANE_WIN" sorvane_e2e && build_target win Sorvane ;;
            e2e:*) build_target "$SORVANE_WIN" Sorvane ;;
            esac || { verdict="did not apply (it does not build)"; break; }
            run_test "$entry" || { verdict="caught by $entry"; break; }
        done
    } >"$log" 2>&1
    [[ $verdict == caught* ]] && grep -q '(Timeout)$' "$log" && verdict+=" on a time-out"
    printf '%s' "$text" >"$src/$file"
    case $verdict in
    caught*) ((caught++)) ;;
    did*) ((unapplied++)) ;;
    *) verdict="MISSED: $harm"; ((missed++)) ;;
    esac
    echo "$id $verdict ($(($(date +%s) - t0)) s)"
done 3<tests/faults/faults.tsv
echo "table run in $((($(date +%s) - started) / 60)) min"
echo "$caught caught, $missed missed, $unapplied did not apply, $unobservable not observable under Wine"
