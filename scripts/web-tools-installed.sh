#!/usr/bin/env bash
# Succeeds when building and testing the web pages is possible here: Emscripten,
# Chromium and Node.js are installed.
command -v emcc >/dev/null && command -v chromium >/dev/null && command -v node >/dev/null
