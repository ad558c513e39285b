# cmake -P windows-stage.cmake: lays out the Windows program in STAGE, one folder as the zip
# and the installer carry it: the program, the DLLs it loads (found through their import
# tables), Qt's plugins and Ukrainian translation, the catalogue and its rules beside it (so
# that the unpacked zip works in its own folder), and the licences with the offer of source.
# Variables: STAGE, PROGRAM, QT, RUNTIME_DLLS, SOURCE_DIR, OBJDUMP, STRIP.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/licences)
file(COPY ${PROGRAM} DESTINATION ${STAGE})
get_filename_component(program_name ${PROGRAM} NAME)

# The offscreen platform serves the command-line modes, which need no display.
set(plugins platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll imageformats/qsvg.dll
            imageformats/qico.dll iconengines/qsvgicon.dll)
foreach(plugin ${plugins})
  get_filename_component(dir ${plugin} DIRECTORY)
  file(COPY ${QT}/plugins/${plugin} DESTINATION ${STAGE}/${dir})
endforeach()

# Every DLL that the program and the plugins import from Qt or the MinGW runtime, recursively.
set(search_dirs ${QT}/bin)
foreach(dll ${RUNTIME_DLLS})
  get_filename_component(dir ${dll} DIRECTORY)
  list(APPEND search_dirs ${dir})
endforeach()
set(queue ${STAGE}/${program_name})
foreach(plugin ${plugins})
  list(APPEND queue ${STAGE}/${plugin})
endforeach()
set(copied)
while(queue)
  list(POP_FRONT queue binary)
  execute_process(COMMAND ${OBJDUMP} -p ${binary} OUTPUT_VARIABLE imports COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${imports}")
  foreach(entry ${names})
    string(REPLACE "DLL Name: " "" name "${entry}")
    if(name IN_LIST copied)
      continue()
    endif()
    find_file(found_${name} ${name} PATHS ${search_dirs} NO_DEFAULT_PATH)
    if(found_${name})
      file(COPY ${found_${name}} DESTINATION ${STAGE})
      list(APPEND copied ${name})
      list(APPEND queue ${STAGE}/${name})
    endif()
  endforeach()
endwhile()
file(GLOB binaries ${STAGE}/*.exe ${STAGE}/*.dll ${STAGE}/*/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)

file(COPY /usr/share/qt6/translations/qtbase_uk.qm DESTINATION ${STAGE}/translations)
file(WRITE ${STAGE}/qt.conf "[Paths]\nPrefix=.\nPlugins=.\nTranslations=translations\n")
file(COPY ${SOURCE_DIR}/data/DEFAULT.lng ${SOURCE_DIR}/data/DEFAULT.chk DESTINATION ${STAGE})

# The program's licence, those of what it carries, and where their source is.
configure_file(${SOURCE_DIR}/LICENSE ${STAGE}/LICENSE.txt NEWLINE_STYLE CRLF)
foreach(pair "LGPL-3;Qt-LGPL-3.0.txt" "GPL-3;Qt-GPL-3.0.txt")
  list(GET pair 0 from)
  list(GET pair 1 to)
  configure_file(/usr/share/common-licenses/${from} ${STAGE}/licences/${to} NEWLINE_STYLE CRLF)
endforeach()
foreach(pair "libqt6test6;qtbase-and-bundled-libraries.txt" "libqt6svg6;qtsvg.txt" "libqt6charts6;qtcharts.txt"
             "gcc-mingw-w64-base;mingw-gcc-runtime.txt" "mingw-w64-common;mingw-w64-winpthreads.txt")
  list(GET pair 0 from)
  list(GET pair 1 to)
  configure_file(/usr/share/doc/${from}/copyright ${STAGE}/licences/${to} NEWLINE_STYLE CRLF)
endforeach()
configure_file(${SOURCE_DIR}/data/windows/SOURCE.txt ${STAGE}/SOURCE.txt NEWLINE_STYLE CRLF)
