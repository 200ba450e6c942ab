#!/bin/sh
# Fails when clang-format would change any C++ file of the tree, naming
# each. Usage: format_pruefen.sh CLANG_FORMAT TREE
set -eu
clang_format=$1
cd "$2"
find src tools tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort |
    xargs "$clang_format" --style=file --dry-run --Werror
