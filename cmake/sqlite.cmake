# SQLite from its official amalgamation, fetched and checksum-verified at
# configure time into a cache folder shared by every build directory.
set(SOLVANE_CACHE_DIR ${CMAKE_SOURCE_DIR}/.cache CACHE PATH "Folder for downloaded third-party sources")
set(sqlite_dir ${SOLVANE_CACHE_DIR}/sqlite)
execute_process(
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-sqlite.sh ${sqlite_dir}
  RESULT_VARIABLE fetch_result)
if(NOT fetch_result EQUAL 0)
  message(FATAL_ERROR "Could not fetch the SQLite amalgamation (see scripts/fetch-sqlite.sh)")
endif()
add_library(sqlite3 STATIC ${sqlite_dir}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${sqlite_dir})
target_compile_definitions(sqlite3 PRIVATE
  SQLITE_THREADSAFE=0 SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0)
# The amalgamation is third-party code: build it optimised and without sanitizers
# (it is not ours to instrument, and it is big).
target_compile_options(sqlite3 PRIVATE -O2 -w -fno-sanitize=all)
set_target_properties(sqlite3 PROPERTIES C_VISIBILITY_PRESET default)
