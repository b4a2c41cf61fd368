# cmake -DDIR=<folder> -DFILES=<name;name...> -DOUTPUT=<file> -P sha256sums.cmake
# Writes the SHA-256 of the named files of DIR, one "<hash>  <name>" line each, as
# sha256sum does (sha256sum -c SHA256SUMS checks them).
set(lines "")
foreach(name IN LISTS FILES)
  file(SHA256 "${DIR}/${name}" hash)
  string(APPEND lines "${hash}  ${name}\n")
endforeach()
file(WRITE "${OUTPUT}" "${lines}")
