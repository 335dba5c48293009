# dist/ of every build is laid out like an installation: the data of data/
# beside the executable (Windows builds put Solvane.exe there), and the empty
# folders the program writes into but never creates. The screenshots in
# docs/, which the README shows, are the help pages' pictures too (Help/).
file(GLOB doc_pictures CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
set(copy_doc_pictures)
if(doc_pictures)
  set(copy_doc_pictures COMMAND ${CMAKE_COMMAND} -E copy_if_different ${doc_pictures} ${CMAKE_BINARY_DIR}/dist/Help)
endif()
add_custom_target(dist_data ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/data -DDEST=${CMAKE_BINARY_DIR}/dist
          -P ${CMAKE_SOURCE_DIR}/cmake/install_data.cmake
  ${copy_doc_pictures}
  COMMENT "Laying out dist/"
  VERBATIM)
