#!/usr/bin/env bash
# The balance sheet: every bot strategy plays the same seeds of a country, several games at once,
# and one table says how each fared. A second table introduces (or, for one in force, cancels, or
# for one that can never be cancelled, cuts to the bottom of its range) each policy alone in an
# otherwise idle game and names those that change nothing measurable and those that win votes and
# money at once.
#
# Usage: balance.sh [options]
#   --seeds N        games per strategy (default 50)
#   --turns N        turns a game may last (default 48: three terms of the default country)
#   --mission NAME   the country (default: the runner's)
#   --strategies "A B"   strategies to play (default: idle random popular prudent spender)
#   --policies N     seeds of the policy table, 0 to leave it out (default 2)
#   --only "A B"     probe only these policies and print each one's row, whatever its verdict
#   --jobs N         games at once (default: the number of processors)
#   --sim PATH       the runner (default: build/src/marrowgate-sim)
#   --keep DIR       keep every game's output in DIR, as STRATEGY-SEED.txt
# The sheet is printed as Markdown on standard output.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seeds=50
turns=48
mission=""
strategies="idle random popular prudent spender"
policySeeds=2
only=""
jobs="$(nproc)"
sim="$root/build/src/marrowgate-sim"
keep=""
while (($#)); do
    case "$1" in
    --seeds) seeds="$2" ;;
    --turns) turns="$2" ;;
    --mission) mission="$2" ;;
    --strategies) strategies="$2" ;;
    --policies) policySeeds="$2" ;;
    --only) only="$2" ;;
    --jobs) jobs="$2" ;;
    --sim) sim="$2" ;;
    --keep) keep="$2" ;;
    *)
        echo "balance.sh: unknown argument '$1'" >&2
        exit 2
        ;;
    esac
    shift 2
done
if [[ ! -x "$sim" ]]; then
    echo "balance.sh: no runner at $sim: build the marrowgate-sim target first" >&2
    exit 2
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export root sim work turns mission

# One game: its runner output reduced to one line of figures. A term is the turns up to the
# first election.
play() {
    local strategy="$1" seed="$2" user="$work/user-$1-$2"
    mkdir -p "$user"
    "$sim" --data-root "$root" --user-dir "$user" --seed "$seed" --autoplay "$strategy" \
        --watch-values --new $mission --turns "$turns" >"$work/game-$strategy-$seed.txt" 2>&1 || true
    rm -rf "$user"
    awk -v strategy="$strategy" -v seed="$seed" '
    function money(text) { gsub(/[^0-9.-]/, "", text); return text + 0 }
    /^Turn [0-9]+ / {
        ++turnsPlayed
        split($0, part, ", ")
        for (i in part) {
            if (part[i] ~ /^income /) income = money(part[i])
            else if (part[i] ~ /^spending /) spending = money(part[i])
            else if (part[i] ~ /^debt /) debt = money(part[i])
            else if (part[i] ~ /^treasury /) debt = -money(part[i])
        }
        if (turnsPlayed == 1) firstDebt = debt
        lastTurn = $2
    }
    /^  Event: DebtCeilingReached/ {
        ++ceiling; if (!ceilingTurn) ceilingTurn = lastTurn
        # The event fires again every quarter the debt stays over the ceiling; a player notices
        # the first of a run and then lives with it.
        if (lastCeilingTurn && lastTurn == lastCeilingTurn + 1) ++repeats
        lastCeilingTurn = lastTurn
    }
    /^  Situation begins: LendersTerms/ { cuts = 1 }
    /^  Event: ConfidenceVoteLost/ { fallen = 1 }
    # The election puts an unnamed entry on the issues list; it is no event of the content.
    /^  Event: [A-Za-z]/ { ++events; ++noticed }
    /^  Dilemma on offer: / { ++dilemmas; ++noticed }
    /^  Situation (begins|ends): / { ++noticed }
    /^  Attack attempted: / { ++noticed }
    /^Election (won|lost) with / {
        share = $4; sub(/%/, "", share); share += 0
        ++elections
        if ($2 == "won") ++won
        if (share > best) best = share
        if ($2 == "won" && share >= 45 && share <= 65) ++moderate
        if (elections == 1) {
            firstShare = share; firstWon = ($2 == "won")
            termDeficit = spending > 0 ? (spending - income) / spending * 100 : 0
            termDebt = firstDebt > 0 ? debt / firstDebt : 0
            termTurn = lastTurn
        }
    }
    /^Bot ends the turn with / { capital += $6; ++botTurns }
    /^Value fault: / { ++faults }
    END {
        years = turnsPlayed / 4
        if (years <= 0) years = 1
        if (!elections) { firstShare = "nan"; firstWon = 0; termDeficit = "nan"; termDebt = "nan" }
        printf "%s %s %s %d %d %.3f %.3f %.3f %s %s %.2f %d %d %d %d %s %d %d %d %d %.3f\n", strategy, seed,
            firstShare, firstWon, won, events / years, dilemmas / years, noticed / years,
            termDeficit, termDebt, botTurns ? capital / botTurns : 0, faults + 0,
            ceiling + 0, ceilingTurn + 0, elections, best + 0, moderate + 0, turnsPlayed, cuts + 0,
            fallen + 0, (noticed - repeats) / years
    }' "$work/game-$strategy-$seed.txt"
}
export -f play

for strategy in $strategies; do
    for ((seed = 1; seed <= seeds; ++seed)); do
        echo "$strategy $seed"
    done
done | xargs -r -P "$jobs" -n 2 bash -c 'play "$0" "$1"' >"$work/games.txt"
if [[ -n "$keep" ]]; then
    mkdir -p "$keep"
    for game in "$work"/game-*.txt; do cp "$game" "$keep/${game#"$work/game-"}"; done
fi

echo "# Balance sheet"
echo
echo "$(date -u +%Y-%m-%d), country ${mission:-default}, $seeds seeds a strategy, at most $turns turns" \
    "a game; \`scripts/balance.sh\` plays and prints it."
echo
echo "| strategy | first election: share mean (sd, min-max) | won | terms won (mean, all three) |" \
    "events/yr | dilemmas/yr | noticed/yr | deficit after a term | debt after a term | ceiling hit (games, by turn 32) |" \
    "lenders' cuts, government fell (games) | capital unspent | best share | wins at 45-65 % | faults |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
for strategy in $strategies; do
    awk -v strategy="$strategy" '
    $1 == strategy {
        ++n
        if ($3 != "nan") { ++e; s += $3; ss += $3 * $3; if (!min || $3 < min) min = $3; if ($3 > max) max = $3 }
        firstWins += $4; terms += $5; if ($5 >= 3) ++allThree
        ev += $6; di += $7; no += $8; fresh += $21
        if ($9 != "nan") { ++t; deficit += $9; debt += $10 }
        capital += $11; faults += $12
        if ($13 > 0) ++ceilingGames
        if ($14 > 0 && $14 <= 32) ++ceilingEarly
        if ($16 > best) best = $16
        wins += $5; moderate += $17
        cutGames += $19; fallenGames += $20
    }
    END {
        if (!n) exit
        mean = e ? s / e : 0; sd = e ? sqrt(ss / e - mean * mean) : 0
        noticed = sprintf("%.2f", no / n)
        if (no - fresh > 0.005 * n) noticed = sprintf("%.2f (%.2f)", no / n, fresh / n)
        printf "| %s | %.1f %% (%.1f, %.0f-%.0f) | %d %% | %.2f, %d %% | %.2f | %.2f | %s | %.1f %% of spending | %.2fx | %d %%, %d %% | %d %%, %d %% | %.1f | %.1f %% | %s | %d |\n",
            strategy, mean, sd, min, max, firstWins * 100 / n, terms / n, allThree * 100 / n,
            ev / n, di / n, noticed, t ? deficit / t : 0, t ? debt / t : 0,
            ceilingGames * 100 / n, ceilingEarly * 100 / n, cutGames * 100 / n,
            fallenGames * 100 / n, capital / n, best,
            wins ? sprintf("%d %%", moderate * 100 / wins) : "-", faults
    }' "$work/games.txt"
done
echo
echo "Share: the government's share of the vote at the first election. Terms won: elections won," \
    "at most three. Noticed: events, dilemmas, situations beginning or ending and attacks; in" \
    "brackets, without the debt-ceiling event's repeats in the quarters after the first. Deficit" \
    "and debt at the first election, the debt as a multiple of the first turn's. Capital unspent:" \
    "what the bot left at the end of its turns, on average. Faults: values that were not numbers" \
    "or left their limits. Lenders' cuts and government fell: games in which the debt stayed over" \
    "its ceiling long enough for the lenders to impose their terms, and for a confidence vote to" \
    "bring the government down."

[[ "$policySeeds" -gt 0 ]] || exit 0

# One policy alone: introduced (or, in force at the start, cancelled) in the third turn of an idle
# game, then the term played out. Compared with the idle game of the same seed over the turns up to
# the first election: a game that wins it plays on and one that loses it stops, so counting the
# turns after it would set a winner's later polls against nothing.
probe() {
    local policy="$1" seed="$2" user="$work/user-$1-$2" out
    mkdir -p "$user"
    # This seed's game with the given steps after the new game.
    game() {
        "$sim" --data-root "$root" --user-dir "$user" --seed "$seed" --new $mission "$@" 2>&1 || true
    }
    local verb="introduce"
    [[ "$policy" == "-" ]] && verb=""
    if [[ -n "$verb" ]]; then
        out="$(game --turns 2 --do "introduce:$policy" --turns 14)"
        if grep -q "already introduced" <<<"$out"; then
            verb="cancel"
            out="$(game --turns 2 --do "cancel:$policy" --turns 14)"
            # A policy the rules keep in force can still be cut to the bottom of its range.
            if grep -q "can never be cancelled" <<<"$out"; then
                verb="cut"
                out="$(game --turns 2 --do "slider:$policy=0" --turns 14)"
            fi
        fi
    else
        out="$(game --turns 16)"
    fi
    rm -rf "$user"
    local refused=0
    grep -q "refused" <<<"$out" && refused=1
    awk -v policy="$policy" -v seed="$seed" -v verb="${verb:-none}" -v refused="$refused" '
    function money(text) { gsub(/[^0-9.-]/, "", text); return text + 0 }
    /^Election (won|lost) with / { termOver = 1 }
    /^Turn [0-9]+ / && !termOver {
        split($0, part, ", ")
        for (i in part) {
            if (part[i] ~ /polls /) { poll = part[i]; sub(/.*polls /, "", poll); sub(/%/, "", poll) }
            else if (part[i] ~ /^income /) income = money(part[i])
            else if (part[i] ~ /^spending /) spending = money(part[i])
        }
        ++n; polls += poll; balance += income - spending; spent += spending
    }
    END {
        printf "%s %s %s %d %.3f %.3f %.3f\n", policy, seed, verb, refused, n ? polls / n : 0,
            n ? balance / n : 0, n ? spent / n : 0
    }
    ' <<<"$out"
}
export -f probe

policies="$(awk -F, '$1 == "#" { print $2 }' "$root/data/simulation/policies.csv")"
if [[ -n "$only" ]]; then
    for policy in $only; do
        if ! grep -qx "$policy" <<<"$policies"; then
            echo "balance.sh: no policy named '$policy' in data/simulation/policies.csv" >&2
            exit 2
        fi
    done
    policies="$only"
fi
for ((seed = 1; seed <= policySeeds; ++seed)); do
    echo "- $seed"
    for policy in $policies; do echo "$policy $seed"; done
done | xargs -r -P "$jobs" -n 2 bash -c 'probe "$0" "$1"' >"$work/policies.txt"
[[ -n "$keep" ]] && mkdir -p "$keep" && cp "$work/policies.txt" "$keep/policies.txt"

echo
echo "## Policies alone"
echo
echo "Each policy introduced (or cancelled, for one in force at the start, or cut to the bottom" \
    "of its range, for one the rules keep in force) in the third turn of" \
    "an idle game, then the term played out; the polls and the budget balance averaged over the" \
    "turns up to the election" \
    "and set against the idle game of the same seed. The table gives the median of the $policySeeds" \
    "seeds' differences, so that one seed whose idle game runs into trouble the change happens to" \
    "avoid does not speak for all of them, and the range of the polls change over the seeds. A" \
    "change under half a point of the polls and under 0.5 % of spending counts as nothing" \
    "measurable; a policy that gains a point or more and money at once dominates."
echo
awk -v all="${only:+1}" '
function median(list, count,    i, j, t) {
    for (i = 1; i <= count; ++i) for (j = i + 1; j <= count; ++j) if (list[j] < list[i]) { t = list[i]; list[i] = list[j]; list[j] = t }
    return count % 2 ? list[(count + 1) / 2] : (list[count / 2] + list[count / 2 + 1]) / 2
}
$1 == "-" { basePoll[$2] = $5; baseBalance[$2] = $6; baseSpending += $7; ++bases; next }
{ verb[$1] = $3; refused[$1] += $4; seeds[$1]++; k = seeds[$1]; seedOf[$1, k] = $2; poll[$1, k] = $5; balance[$1, k] = $6 }
END {
    measurable = bases ? 0.005 * baseSpending / bases : 0
    for (p in verb) {
        split("", pl); split("", bl)
        low[p] = 1e9; high[p] = -1e9
        for (i = 1; i <= seeds[p]; ++i) {
            s = seedOf[p, i]
            pl[i] = poll[p, i] - basePoll[s]; bl[i] = balance[p, i] - baseBalance[s]
            if (pl[i] < low[p]) low[p] = pl[i]
            if (pl[i] > high[p]) high[p] = pl[i]
        }
        dp[p] = median(pl, seeds[p]); db[p] = median(bl, seeds[p])
    }
    print "| policy | action | polls change (points; seeds range) | balance change (per turn, % of spending) | verdict |"
    print "|---|---|---|---|---|"
    n = 0
    for (p in verb) names[++n] = p
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (names[j] < names[i]) { t = names[i]; names[i] = names[j]; names[j] = t }
    for (i = 1; i <= n; ++i) {
        p = names[i]
        verdict = ""
        if (refused[p]) verdict = "refused by the rules (capital or an uncancellable policy)"
        else if (dp[p] > -0.5 && dp[p] < 0.5 && db[p] > -measurable && db[p] < measurable) verdict = "nothing measurable"
        else if (dp[p] >= 1 && db[p] > 0) verdict = "dominant"
        if (verdict != "" || all)
            printf "| %s | %s | %+.2f (%+.1f to %+.1f) | %+.2f %% | %s |\n", p, verb[p], dp[p], low[p], high[p],
                measurable ? db[p] / measurable * 0.5 : 0, verdict != "" ? verdict : "measurable"
        ++counted
        if (verdict != "") ++flagged
    }
    printf "\n%d policies probed, %d flagged above; every other one moved the polls or the budget without winning both.\n", counted, flagged + 0
}' "$work/policies.txt"
