# solvane_split_debug_info(TARGET): after each link the program's debugging
# information moves to TARGET.debug beside it, and the program is stripped
# and names that file (.gnu_debuglink), where gdb finds it. So the program
# that runs from the build, in the end-to-end tests too, is the one users
# get: Wine reads an unstripped program's debugging sections into memory
# with the rest, which doubled the idle memory and slowed every start.
function(solvane_split_debug_info target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
