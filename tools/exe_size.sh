#!/bin/sh
# Prints how the size of a Quillon.exe splits into code, constant data,
# unwind tables, resources and the rest (section sizes from objdump -h).
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
# mawk lacks strtonum: the hexadecimal sizes are turned into decimal first.
$objdump -h "$exe" | while read -r idx sec size rest; do
  case $size in [0-9a-f]*[0-9a-f]) echo "$idx $sec $((0x$size))" ;; esac
done | awk -v file="$(wc -c <"$exe")" -v name="$exe" '
  $2 ~ /^\./ || $2 == "SHARESEC" {
    size = $3
    if ($2 == ".text") code += size
    else if ($2 == ".rdata") rdata += size
    else if ($2 == ".eh_fram" || $2 == ".eh_frame") unwind += size
    else if ($2 == ".rsrc") rsrc += size
    else if ($2 != ".bss") other += size
  }
  END {
    printf "%s: %d bytes (%.2f MiB)\n", name, file, file / 1048576
    printf "  code (.text)            %8d\n", code
    printf "  constant data (.rdata)  %8d\n", rdata
    printf "  unwind tables           %8d\n", unwind
    printf "  resources (.rsrc)       %8d\n", rsrc
    printf "  other sections          %8d\n", other
  }'
