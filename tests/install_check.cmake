# cmake --install into a scratch prefix puts the six files where a desktop looks for them (and
# liftwise-cli's drawing commands where it runs them from, and the Python module where its
# interpreter finds it with PYTHONPATH), and the desktop files pass their validators where those
# are installed.
set(prefix "${BUILD}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
set(expected
    bin/liftwise
    bin/liftwise-cli
    ${PAPER}
    share/applications/io.liftwise.Liftwise.desktop
    share/icons/hicolor/scalable/apps/io.liftwise.Liftwise.svg
    share/metainfo/io.liftwise.Liftwise.metainfo.xml)
# The Python module, where it is built, goes where sitedir.py says: for this prefix, which no
# interpreter searches, PREFIX/lib/pythonX.Y/site-packages.
if(MODULE)
    execute_process(COMMAND "${PYTHON}" "${SITEDIR}" "${prefix}" OUTPUT_VARIABLE siteDir
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    file(RELATIVE_PATH siteDir "${prefix}" "${siteDir}")
    list(APPEND expected "${siteDir}/${MODULE}")
endif()
file(GLOB_RECURSE installed RELATIVE "${prefix}" "${prefix}/*")
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()

# liftwise-cli finds the program it runs for export there.
execute_process(COMMAND "${prefix}/bin/liftwise-cli" export "${FOIL}" --chord 100
    RESULT_VARIABLE status OUTPUT_VARIABLE dxf ERROR_VARIABLE problem)
if(NOT status EQUAL 0 OR NOT dxf MATCHES "\nEOF\n$")
    message(FATAL_ERROR "the installed liftwise-cli cannot export: ${status} ${problem}")
endif()

# The installed module imports and analyses there.
if(MODULE)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env "PYTHONPATH=${prefix}/${siteDir}"
        "${PYTHON}" -c "import liftwise; print(liftwise.open('${FOIL}').analyze().cm0)"
        RESULT_VARIABLE status OUTPUT_VARIABLE cm0 ERROR_VARIABLE problem)
    if(NOT status EQUAL 0 OR NOT cm0 MATCHES "^-?[0-9.e-]+\n$")
        message(FATAL_ERROR "the installed Python module does not analyse: ${status} ${problem}")
    endif()
endif()

find_program(desktop_file_validate desktop-file-validate)
if(desktop_file_validate)
    execute_process(COMMAND "${desktop_file_validate}"
        "${prefix}/share/applications/io.liftwise.Liftwise.desktop" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate refuses the desktop entry")
    endif()
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli)
    execute_process(COMMAND "${appstreamcli}" validate --no-net
        "${prefix}/share/metainfo/io.liftwise.Liftwise.metainfo.xml" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "appstreamcli refuses the metainfo file")
    endif()
endif()
file(REMOVE_RECURSE "${prefix}")
