# Libraries the first painted window never needs are loaded on their first use: GDI+ (decoration
# and button pictures), WinINet (holiday tables from the web), the common dialogs and the common
# controls (the day tooltips are made after the first paint). mingw-w64
# has no /DELAYLOAD switch, so a delay-import library is made for each from the names its import
# library exports; the linker then binds calls through the delay-load helper of the runtime.
# Other toolchains link the plain import libraries.
set(ZANTO_LOAD_ON_FIRST_USE gdiplus wininet comdlg32 comctl32)
if(NOT MINGW OR NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
  return()
endif()

function(zanto_delay_import name dll out)
  find_library(_import_${name} NAMES lib${name}.a ${name} NO_CACHE)
  if(NOT _import_${name})
    set(${out} ${name} PARENT_SCOPE)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_NM} -g ${_import_${name}} OUTPUT_VARIABLE _symbols
                  RESULT_VARIABLE _nm_result)
  string(REGEX MATCHALL "__imp_[A-Za-z0-9_@]+" _imports "${_symbols}")
  list(REMOVE_DUPLICATES _imports)
  set(_def "LIBRARY ${dll}\nEXPORTS\n")
  foreach(_import ${_imports})
    string(REGEX REPLACE "^__imp_" "" _export ${_import})
    string(APPEND _def "  ${_export}\n")
  endforeach()
  set(_dir ${CMAKE_BINARY_DIR}/delayload)
  file(MAKE_DIRECTORY ${_dir})
  file(WRITE ${_dir}/${name}.def "${_def}")
  set(_lib ${_dir}/lib${name}_delay.a)
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${_dir}/${name}.def --dllname ${dll}
                          --output-delaylib ${_lib}
                  RESULT_VARIABLE _dlltool_result)
  if(NOT _nm_result EQUAL 0 OR NOT _dlltool_result EQUAL 0 OR NOT _imports)
    set(${out} ${name} PARENT_SCOPE)
    return()
  endif()
  set(${out} ${_lib} PARENT_SCOPE)
endfunction()

zanto_delay_import(gdiplus gdiplus.dll _gdiplus)
zanto_delay_import(wininet wininet.dll _wininet)
zanto_delay_import(comdlg32 comdlg32.dll _comdlg32)
zanto_delay_import(comctl32 comctl32.dll _comctl32)
set(ZANTO_LOAD_ON_FIRST_USE ${_gdiplus} ${_wininet} ${_comdlg32} ${_comctl32} delayimp)
