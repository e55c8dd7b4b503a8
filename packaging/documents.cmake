# The documents installed beside the programs: the machine-readable copyright file,
# made from LICENSE, and the changelog and manual pages compressed as Debian wants
# them (gzip -9n: no name or time inside, so the same sources give the same bytes).
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

# LICENSE's holder line and its text, as the copyright file's Expat paragraph:
# each line indented by one space, an empty line written as " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" holder_line "${license}")
set(license_holder "${CMAKE_MATCH_1}")
string(FIND "${license}" "Permission is hereby granted" text_start)
string(SUBSTRING "${license}" ${text_start} -1 license_text)
string(STRIP "${license_text}" license_text)
string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text " ${license_text}")
configure_file(copyright.in copyright @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${doc_dir})

find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
# Compresses `source` into the build folder as `name`.gz.
function(compress_document source name)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/${name})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                     COMMAND ${GZIP_PROGRAM} -9nf ${copy}
                     DEPENDS ${source} VERBATIM)
  set(compressed ${compressed} ${copy}.gz PARENT_SCOPE)
endfunction()

# Version numbers without a Debian revision make a native package, whose changelog
# is changelog.gz.
compress_document(${CMAKE_CURRENT_SOURCE_DIR}/changelog changelog)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
foreach(program interlock-service interlock-sim)
  compress_document(${CMAKE_CURRENT_SOURCE_DIR}/man/${program}.1 ${program}.1)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${program}.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(package_docs ALL DEPENDS ${compressed})
