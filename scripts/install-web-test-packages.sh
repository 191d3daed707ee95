#!/usr/bin/env bash
# Installs the npm package that drives Chromium in the web pages' tests
# (playwright-core, pinned by tests/web/package-lock.json) into
# tests/web/node_modules. Idempotent: npm ci runs only when node_modules is
# missing or older than the lock file. Installs Debian's npm first if there
# is no npm at all.
set -euo pipefail
tests=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/web" && pwd)

if ! command -v npm >/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "The web tests need npm, which is not installed: sudo apt-get install npm" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm
fi

stamp=$tests/node_modules/.package-lock.json
if [ ! -f "$stamp" ] || [ "$tests/package-lock.json" -nt "$stamp" ]; then
  (cd "$tests" && npm ci --no-audit --no-fund --loglevel=error)
fi
