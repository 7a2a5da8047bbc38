#!/usr/bin/env bash
# idehost keeps its settings in folders of its own: with the lottery program's folders and the
# host's pointed at scratch folders, a session reads the host's idehost.ini, not one lying in the
# program's Windows-directory stand-in, and writes nothing under the program's folders.
#   idehost_folders_test.sh IDEHOST SCRATCH
set -euo pipefail
idehost=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"/{config,data,home,program,windows,out,own}
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export RAVELO_HOME="$scratch/program" RAVELO_WINDIR="$scratch/windows"
unset IDEHOST_CONFIG RAVELO_DEBUG IDEHOST_DEBUG

# An optional wizard is off by default; a setting in the program's folder must not turn it on.
ini=$'[Type Library]\nActiveXWizard=True\n'
printf '%s' "$ini" > "$scratch/windows/idehost.ini"
mkdir -p "$scratch/config/Quenzel 2009"
printf '%s' "$ini" > "$scratch/config/Quenzel 2009/idehost.ini"
out=$("$idehost" load kvtcompro100 gallery)
grep -q 'ActiveX Control' <<<"$out" && fail "idehost read the program's idehost.ini"

# The host's own folder: $XDG_CONFIG_HOME/idehost/, or $IDEHOST_CONFIG when set.
mkdir -p "$scratch/config/idehost"
printf '%s' "$ini" > "$scratch/config/idehost/idehost.ini"
out=$("$idehost" load kvtcompro100 gallery)
grep -q 'ActiveX Control' <<<"$out" || fail "idehost did not read \$XDG_CONFIG_HOME/idehost/idehost.ini"
rm "$scratch/config/idehost/idehost.ini"
printf '%s' "$ini" > "$scratch/own/idehost.ini"
out=$(IDEHOST_CONFIG="$scratch/own" "$idehost" load kvtcompro100 gallery)
grep -q 'ActiveX Control' <<<"$out" || fail "idehost did not read \$IDEHOST_CONFIG/idehost.ini"

# A whole session with every package writes nothing under the program's folders.
rm "$scratch/windows/idehost.ini" "$scratch/config/Quenzel 2009/idehost.ini"
"$idehost" --dir "$scratch/out" load KVTWEKIDE100 KVTIDL100 Brannow100 kvtcompro100 \
    gallery new Quistor.Tolvane.NewFiles Form unload >/dev/null
[ -f "$scratch/out/Unit1.cpp" ] || fail "the session wrote no module"
left=$(find "$scratch/program" "$scratch/windows" "$scratch/config/Quenzel 2009" "$scratch/data" -mindepth 1)
[ -z "$left" ] || fail "idehost wrote under the program's folders: $left"
rm -rf "$scratch"
echo "idehost keeps to its own folders"
