# Installs the build into a temporary root, as the Debian package lays it out, and checks what a desktop
# needs: every file the .desktop entry names, a valid entry, the man page of every option, and the
# installed batch tool on the installed examples giving the committed result.
# cmake -DBUILD=... -DSOURCE=... -DROOT=... -P InstallTest.cmake
file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ROOT} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
set(usr ${ROOT}/usr)

set(entry ${usr}/share/applications/brimvale.desktop)
# Hints pass (Science and Education are both main categories, and the entry names both on purpose).
execute_process(COMMAND desktop-file-validate ${entry} RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT status EQUAL 0 OR said MATCHES "error:|warning:")
    message(FATAL_ERROR "desktop-file-validate ${entry}: ${status} ${said}")
endif()
file(STRINGS ${entry} exec REGEX "^Exec=")
file(STRINGS ${entry} icon REGEX "^Icon=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" exec "${exec}")
string(REGEX REPLACE "^Icon=" "" icon "${icon}")
foreach(file bin/${exec} share/icons/hicolor/scalable/apps/${icon}.svg share/icons/hicolor/256x256/apps/${icon}.png
        share/man/man1/brimvale-batch.1 share/brimvale/examples/core-record.csv)
    if(NOT EXISTS ${usr}/${file})
        message(FATAL_ERROR "not installed: /usr/${file}")
    endif()
endforeach()

# The man page describes every option the program's own usage names.
set(batch ${usr}/bin/brimvale-batch)
execute_process(COMMAND ${batch} --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
file(READ ${usr}/share/man/man1/brimvale-batch.1 manual)
string(REPLACE "\\-" "-" manual "${manual}")
string(REGEX MATCHALL "--[a-z-]+" options "${usage}")
list(REMOVE_DUPLICATES options)
foreach(option ${options})
    string(FIND "${manual}" "${option}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the man page does not describe ${option}")
    endif()
endforeach()

set(examples ${usr}/share/brimvale/examples)
execute_process(COMMAND ${batch} reconstruct --data ${examples}/core-record.csv --matrix ${examples}/corvane-matrix.csv
        --smoothing 3 --out ${ROOT}/section.csv
    RESULT_VARIABLE status ERROR_VARIABLE said)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the installed brimvale-batch failed on the installed examples: ${said}")
endif()
file(READ ${ROOT}/section.csv written)
file(READ ${SOURCE}/tests/data/examples/section.csv expected)
string(REPLACE "{examples}" "${examples}" expected "${expected}")
if(NOT written STREQUAL expected)
    message(FATAL_ERROR "the installed examples give another result than tests/data/examples/section.csv")
endif()
file(REMOVE_RECURSE ${ROOT})
