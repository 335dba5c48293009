# expat from Debian's source package, fetched and checksum-verified at
# configure time into the cache folder beside SQLite's: the calendar sync reads
# servers' XML answers with it.
set(expat_dir ${SOLVANE_CACHE_DIR}/expat)
execute_process(
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/fetch-expat.sh ${expat_dir}
  RESULT_VARIABLE fetch_result)
if(NOT fetch_result EQUAL 0)
  message(FATAL_ERROR "Could not fetch expat's source package (see scripts/fetch-expat.sh)")
endif()
# What the library's own configure step would find on every target here:
# little-endian, the C standard headers; on Linux /dev/urandom seeds its hash
# tables (Windows has rand_s).
set(expat_config ${CMAKE_BINARY_DIR}/expat-config/expat_config.h)
file(WRITE ${expat_config}.new [=[
#ifndef EXPAT_CONFIG_H
#define EXPAT_CONFIG_H 1
#define BYTEORDER 1234
#define HAVE_MEMMOVE 1
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define STDC_HEADERS 1
#define XML_CONTEXT_BYTES 1024
#define XML_DTD 1
#define XML_NS 1
#if !defined(_WIN32)
#define XML_DEV_URANDOM 1
#define HAVE_UNISTD_H 1
#endif
#endif
]=])
configure_file(${expat_config}.new ${expat_config} COPYONLY)
add_library(expat STATIC ${expat_dir}/lib/xmlparse.c ${expat_dir}/lib/xmlrole.c ${expat_dir}/lib/xmltok.c)
target_include_directories(expat PRIVATE ${expat_dir}/lib ${CMAKE_BINARY_DIR}/expat-config)
target_compile_definitions(expat PRIVATE XML_STATIC)
# Only the files that read XML see its header (solvane_expat_user): the
# rest of the core compiles with the same flags as without it.
function(solvane_expat_user source target)
  set_source_files_properties(${source} TARGET_DIRECTORY ${target} PROPERTIES
    INCLUDE_DIRECTORIES ${expat_dir}/lib COMPILE_DEFINITIONS XML_STATIC)
endfunction()
# Third-party code, like SQLite: optimised, without sanitizers.
target_compile_options(expat PRIVATE -O2 -w -fno-sanitize=all)
