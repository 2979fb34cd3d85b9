# Writes the site's service-worker.js from its template: the release is the start of the SHA-256 of
# the site's files (their names and contents), so the same files give the same worker, byte for
# byte, and any change gives a new one.
# Usage: cmake -DSITE=folder -DTEMPLATE=service-worker.js -DFILES=a,b,c -P service_worker.cmake
set(TOWNWRIGHT_FILES "${FILES}")  # as the template reads them: one text, names between commas
string(REPLACE "," ";" FILES "${FILES}")
set(digests "")
foreach(name IN LISTS FILES)
  file(SHA256 "${SITE}/${name}" digest)
  string(APPEND digests "${name} ${digest}\n")
endforeach()
string(SHA256 release "${digests}")
string(SUBSTRING "${release}" 0 16 TOWNWRIGHT_RELEASE)
configure_file("${TEMPLATE}" "${SITE}/service-worker.js" @ONLY)
