# Writes the page's service worker from service_worker.js.in: the cache name carries the
# version and a hash of every file the worker keeps, so any change to one of them (a new
# build) names a new cache. Run by the build once the page's files are all in place:
#   cmake -DDIR=... -DFILES=a,b,... -DVERSION=... -DTEMPLATE=... -DOUTPUT=... -P service_worker.cmake
string(REPLACE "," ";" files "${FILES}")
set(hashes "")
set(names "")
foreach(name ${files})
    if(NOT EXISTS ${DIR}/${name})
        message(FATAL_ERROR "The page has no ${name} for its service worker to keep")
    endif()
    file(SHA256 ${DIR}/${name} hash)
    string(APPEND hashes "${name} ${hash}\n")
    if(names)
        string(APPEND names ", ")
    endif()
    string(APPEND names "'${name}'")
endforeach()
string(SHA256 hash "${hashes}")
string(SUBSTRING ${hash} 0 16 hash)
set(LORNHAVEN_CACHE_NAME "lornhaven-${VERSION}-${hash}")
set(LORNHAVEN_PAGE_FILES "${names}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
