# The release values for the resource scripts: the version header (string-table entry 1 and
# both version resources) and the two application manifests, all from the project's version.
set(ZANTO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

# "1.0.0" is shown as "Ver1.00": the minor number always has two digits.
set(ZANTO_VERSION_SHORT_MINOR ${PROJECT_VERSION_MINOR})
string(LENGTH "${ZANTO_VERSION_SHORT_MINOR}" _minor_digits)
if(_minor_digits EQUAL 1)
  set(ZANTO_VERSION_SHORT_MINOR "0${ZANTO_VERSION_SHORT_MINOR}")
endif()
set(ZANTO_VERSION_SHORT "${PROJECT_VERSION_MAJOR}.${ZANTO_VERSION_SHORT_MINOR}")
set(ZANTO_PACKAGE_NAME "Zanto-${PROJECT_VERSION}-win64")

configure_file(${CMAKE_SOURCE_DIR}/resources/zanto_version.h.in
  ${ZANTO_GENERATED_DIR}/zanto_version.h @ONLY)
foreach(ZANTO_MANIFEST_PROGRAM Zanto Hoshiro)
  configure_file(${CMAKE_SOURCE_DIR}/resources/program.manifest.in
    ${ZANTO_GENERATED_DIR}/${ZANTO_MANIFEST_PROGRAM}.exe.manifest @ONLY)
endforeach()
# Resource scripts and tests find the version header and the manifests here.
include_directories(${ZANTO_GENERATED_DIR})
set(ZANTO_RC_GENERATED ${ZANTO_GENERATED_DIR}/zanto_version.h
  ${ZANTO_GENERATED_DIR}/Zanto.exe.manifest ${ZANTO_GENERATED_DIR}/Hoshiro.exe.manifest
  ${CMAKE_SOURCE_DIR}/resources/version_info.rc)

