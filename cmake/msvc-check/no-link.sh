#!/bin/sh
# Stands in for the linker, the librarian and the manifest tool in the
# MSVC-mode compile check, which has no libraries to link with: writes the
# empty files the build expects (/out:, /MANIFESTFILE:) and nothing else, so
# that what depends on a program or a library still gets compiled.
for arg in "$@"; do
  case "$arg" in
    /out:*|/OUT:*) : > "${arg#*:}" ;;
    /MANIFESTFILE:*|/manifestfile:*) : > "${arg#*:}" ;;
  esac
done
