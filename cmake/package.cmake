# `cpack -G DEB` in the build folder: zoris_<version>-<revision>_amd64.deb with what `cmake --install`
# installs, its library dependencies found by dpkg-shlibdeps.
include(GNUInstallDirs)

# The Debian revision comes from the changelog's latest entry, which must be for this version.
set(changelog ${PROJECT_SOURCE_DIR}/data/package/changelog.Debian)
file(STRINGS ${changelog} latest LIMIT_COUNT 1)
if(NOT latest MATCHES "^zoris \\(([^-]+)-([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${changelog}: the latest entry \"${latest}\" is not for version ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})

# Debian's documents and the manual page go in compressed with gzip -9n (no name, no time stamp),
# as the policy asks.
configure_file(${PROJECT_SOURCE_DIR}/data/package/zoris.1.in ${PROJECT_BINARY_DIR}/package/zoris.1 @ONLY)
set(gzipped)
foreach(file ${changelog} ${PROJECT_BINARY_DIR}/package/zoris.1)
  get_filename_component(name ${file} NAME)
  set(out ${PROJECT_BINARY_DIR}/package/${name}.gz)
  add_custom_command(OUTPUT ${out} COMMAND gzip -9n --stdout ${file} > ${out} DEPENDS ${file})
  list(APPEND gzipped ${out})
endforeach()
add_custom_target(zoris_package_docs ALL DEPENDS ${gzipped})
install(FILES ${PROJECT_BINARY_DIR}/package/zoris.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${PROJECT_BINARY_DIR}/package/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Lintian's false alarms, each with its reason.
install(FILES ${PROJECT_SOURCE_DIR}/data/package/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zoris)

set(CPACK_GENERATOR DEB)
# Values reach CPackConfig.cmake escaped, so quotes and line breaks stay as written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME zoris)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Розробники АС \"ЗОРІС\"")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Показники діяльності загальноосвітнього навчального закладу")
# Lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Заклад загальної середньої освіти заповнює річну таблицю показників стану
розвитку та результатів діяльності, зберігає значення у файлах з даними
(*.zrs) і друкує форму звіту для районного відділу освіти на аркушах A4 або у
файл PDF. Файли з даними закладів району зводяться в один звіт, файл з даними
і таблицю CSV.")
set(CPACK_PACKAGE_CONTACT "Zoris developers <zoris@zoris.ua>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report's fonts (Arial and Times New Roman stand for Liberation Sans and Serif), the window
# font, and Qt's own Ukrainian texts for the standard dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
