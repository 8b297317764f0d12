# The archive a user downloads (cmake --build <dir> --target package):
# Zanto-<version>-win64.zip, one folder holding both programs, the default settings, the
# holiday table, a sample button strip, the Japanese read-me and the licence. Included after
# the program targets.
install(TARGETS Zanto Hoshiro RUNTIME DESTINATION .)
install(FILES
  ${CMAKE_SOURCE_DIR}/resources/Settings.xml
  ${CMAKE_SOURCE_DIR}/resources/Holidays00.xml
  ${CMAKE_SOURCE_DIR}/resources/ReadMe.txt
  ${CMAKE_SOURCE_DIR}/resources/SampleButtons.png
  DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Zanto)
set(CPACK_PACKAGE_VENDOR "The Zanto developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${ZANTO_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The programs go without their symbols: a third of the download.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)

# The archive test reads the version resources of the programs.
if(TARGET archive_e2e_test)
  target_link_libraries(archive_e2e_test PRIVATE version)
endif()
