#!/bin/sh
# The shared module exports exactly one symbol: TestUpdateServer.
set -eu
exports=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$exports" != "TestUpdateServer " ]; then
  echo "unexpected exports: $exports" >&2
  exit 1
fi
echo "exports: $exports"
