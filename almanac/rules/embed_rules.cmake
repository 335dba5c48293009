# Compiles the rule tables of this folder into the program: one generated
# source holds each table's text as a string, so the tables stay the one place
# the rules are written and the program needs no files beside it to apply them.
# Sets yiji_tables_source to the generated file.
set(yiji_rules_dir ${CMAKE_CURRENT_LIST_DIR})
set(yiji_tables_source ${CMAKE_BINARY_DIR}/generated/yiji_tables.cpp)
set(yiji_tables_text "// Generated from almanac/rules/*.tsv by embed_rules.cmake; edit the tables.\n")
string(APPEND yiji_tables_text "#include \"almanac/yiji_rules.h\"\n\nnamespace almanac {\n\nnamespace {\n")
foreach(table activities groups shensha effects grades puzhu)
  set(table_file ${yiji_rules_dir}/${table}.tsv)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table_file})
  file(READ ${table_file} table_text)
  string(FIND "${table_text}" ")tsv\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${table_file} contains the raw-string delimiter )tsv\"")
  endif()
  string(APPEND yiji_tables_text "const char* const k_${table} = R\"tsv(${table_text})tsv\";\n")
endforeach()
string(APPEND yiji_tables_text "\n}  // namespace\n\nYiJiTableTexts BuiltInYiJiTables() {\n")
string(APPEND yiji_tables_text "    return YiJiTableTexts{k_activities, k_groups, k_shensha, k_effects, k_grades, k_puzhu};\n}\n\n}  // namespace almanac\n")
# Written only when it changes, so that reconfiguring does not rebuild it.
file(WRITE ${yiji_tables_source}.new "${yiji_tables_text}")
configure_file(${yiji_tables_source}.new ${yiji_tables_source} COPYONLY)
