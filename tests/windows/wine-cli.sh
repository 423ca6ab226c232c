#!/bin/sh
# The Windows build's tonefalls-cli under Wine, standing in for the Linux one in the companion's
# tests (their TF_CLI_PROGRAM); run-cli-tests.sh sets the variables.
exec "$TF_WINE" "$TF_WIN_CLI" "$@"
