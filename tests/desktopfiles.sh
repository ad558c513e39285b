#!/bin/sh
# desktopfiles.sh desktop|metainfo FILE: the desktop entry or the AppStream description passes its
# validator without a single remark beyond information. Skipped (77) where the validator is missing.
set -u
case "$1" in
desktop)
    command -v desktop-file-validate >/dev/null || exit 77
    out=$(desktop-file-validate "$2") || { echo "$out"; exit 1; }
    [ -z "$out" ] || { echo "$out"; exit 1; } ;;
metainfo)
    command -v appstreamcli >/dev/null || exit 77
    appstreamcli validate --no-net "$2" ;;
*)
    exit 2 ;;
esac
