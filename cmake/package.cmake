# `cpack -G DEB` in the build folder: zoris_<version>_amd64.deb with what `cmake --install`
# installs, its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zoris)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Розробники АС \"ЗОРІС\"")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Показники діяльності загальноосвітнього навчального закладу")
set(CPACK_PACKAGE_DESCRIPTION "Заклад загальної середньої освіти заповнює річну таблицю показників стану розвитку
та результатів діяльності, зберігає значення у файлах з даними (*.zrs) і друкує форму звіту
для районного відділу освіти на аркушах A4 або у файл PDF.")
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
