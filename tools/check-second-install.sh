#!/usr/bin/env bash
# Runs tools/install-deps.sh again, as ./run.sh and ./test.sh do after a first
# run, with apt-get and sudo replaced by stubs that fail: the run must find
# nothing missing and so call neither (no network, no password prompt).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
stubs="$(mktemp -d)"
trap 'rm -rf "$stubs"' EXIT
for tool in apt-get sudo; do
    printf '#!/bin/sh\necho "install-deps.sh called %s $*" >&2\nexit 1\n' "$tool" > "$stubs/$tool"
    chmod +x "$stubs/$tool"
done
PATH="$stubs:$PATH" "$here/install-deps.sh"
