# dist/ of every build is laid out like an installation: the data of data/
# beside the executable (Windows builds put Solvane.exe there), and the empty
# folders the program writes into but never creates.
add_custom_target(dist_data ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/data -DDEST=${CMAKE_BINARY_DIR}/dist
          -P ${CMAKE_SOURCE_DIR}/cmake/install_data.cmake
  COMMENT "Laying out dist/"
  VERBATIM)
