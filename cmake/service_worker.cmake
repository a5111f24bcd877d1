# Writes the page's service worker from web/sw.js.in: the list of files it
# keeps, and a cache name made from their contents, so that a new build
# replaces what a visitor's browser kept, whole.
#   cmake -DSOURCE=... -DOUTPUT=... -DFILES=a;b;... -P service_worker.cmake
set(names)
set(hashes)
foreach(file IN LISTS FILES)
  get_filename_component(name ${file} NAME)
  file(SHA256 ${file} hash)
  list(APPEND names "'./${name}'")
  string(APPEND hashes "${hash}")
endforeach()
string(SHA256 all "${hashes}")
string(SUBSTRING "${all}" 0 16 CACHE_VERSION)
list(JOIN names ", " PAGE_FILES)
configure_file(${SOURCE} ${OUTPUT} @ONLY)
