# The Windows build's packages, in the build folder: `windows_zip` makes the portable
# zoris-<version>-windows.zip, `windows_installer` the NSIS installer zoris-<version>-setup.exe;
# both carry the folder that cmake/windows-stage.cmake lays out.
find_program(MAKENSIS makensis REQUIRED)
find_program(CONVERT convert REQUIRED)
find_program(MINGW_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
find_program(MINGW_STRIP x86_64-w64-mingw32-strip REQUIRED)
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_prefix ${qt_core_dll} DIRECTORY)
get_filename_component(qt_prefix ${qt_prefix} DIRECTORY)

set(stage_name zoris-${PROJECT_VERSION})
set(stage ${PROJECT_BINARY_DIR}/${stage_name})
set(zip ${PROJECT_BINARY_DIR}/zoris-${PROJECT_VERSION}-windows.zip)
set(setup ${PROJECT_BINARY_DIR}/zoris-${PROJECT_VERSION}-setup.exe)
set(icon_dir ${PROJECT_BINARY_DIR}/src/icons)
set(app_ico ${PROJECT_BINARY_DIR}/package/zoris.ico)
set(data_ico ${PROJECT_BINARY_DIR}/package/zoris-data.ico)

add_custom_command(OUTPUT ${app_ico} ${data_ico}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/package
  COMMAND ${CONVERT} ${icon_dir}/zoris-48.png ${icon_dir}/zoris-64.png ${icon_dir}/zoris-128.png
          ${icon_dir}/zoris-256.png ${app_ico}
  COMMAND ${CONVERT} ${icon_dir}/application-x-zoris-data-48.png ${icon_dir}/application-x-zoris-data-64.png
          ${icon_dir}/application-x-zoris-data-128.png ${icon_dir}/application-x-zoris-data-256.png ${data_ico}
  DEPENDS zoris_icons
  COMMENT "The icons as Windows icon files"
  VERBATIM)

add_custom_target(windows_stage
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DPROGRAM=$<TARGET_FILE:zoris> -DQT=${qt_prefix}
          "-DRUNTIME_DLLS=${ZORIS_RUNTIME_DLLS}" -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DPROJECT_VERSION=${PROJECT_VERSION}
          -DOBJDUMP=${MINGW_OBJDUMP} -DSTRIP=${MINGW_STRIP} -P ${PROJECT_SOURCE_DIR}/cmake/windows-stage.cmake
  DEPENDS zoris
  COMMENT "Laying out ${stage_name}"
  VERBATIM)

add_custom_target(windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${stage_name}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  DEPENDS windows_stage
  COMMENT "Packing zoris-${PROJECT_VERSION}-windows.zip"
  VERBATIM)

add_custom_target(windows_installer
  COMMAND sh -c "${MAKENSIS} -V2 -DSIZE_KB=$(du -sk ${stage} | cut -f1) ${PROJECT_BINARY_DIR}/package/zoris.nsi"
  DEPENDS windows_stage ${app_ico} ${data_ico}
  COMMENT "Making zoris-${PROJECT_VERSION}-setup.exe"
  VERBATIM)

set(ZORIS_SETUP ${setup})
set(ZORIS_STAGE ${stage})
set(ZORIS_ICON ${app_ico})
set(ZORIS_DATA_ICON ${data_ico})
configure_file(${PROJECT_SOURCE_DIR}/data/windows/zoris.nsi.in ${PROJECT_BINARY_DIR}/package/zoris.nsi @ONLY)
