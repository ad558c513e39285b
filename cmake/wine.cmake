# Programs cross-built for Windows run under wine: the tests through CTest and the icon painter
# during the build, with the Qt and MinGW DLLs found on WINEPATH.
find_program(WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(WINE64 wine64 REQUIRED)
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
set(ZORIS_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(path ${path} REALPATH)
  list(APPEND ZORIS_RUNTIME_DLLS ${path})
endforeach()

# Windows paths of the Linux folders, through wine's drive Z:.
function(zoris_wine_path out)
  set(paths)
  foreach(path ${ARGN})
    string(REPLACE "/" "\\" path "Z:${path}")
    list(APPEND paths ${path})
  endforeach()
  list(JOIN paths ";" joined)
  set(${out} "${joined}" PARENT_SCOPE)
endfunction()

set(dll_dirs ${qt_bin})
foreach(dll ${ZORIS_RUNTIME_DLLS})
  get_filename_component(dir ${dll} DIRECTORY)
  list(APPEND dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
# The tests read PDFs back with poppler's tools, Linux programs that wine starts as they are.
zoris_wine_path(ZORIS_WINEPATH ${dll_dirs} /usr/bin)
set(ZORIS_WINEPREFIX ${PROJECT_BINARY_DIR}/wine)
set(WINE ${WINE64})
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
               WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
