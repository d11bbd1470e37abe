# liftwise-cli starts as fast as a QtCore program: it links neither QtGui nor the widgets, the
# charts or OpenGL. The program it runs for report and export links QtGui for the PDF pages, and
# none of the other three either.
function(check_needed program forbidden)
    execute_process(COMMAND "${READELF}" -d "${program}" OUTPUT_VARIABLE dynamic
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT dynamic MATCHES "NEEDED")
        message(FATAL_ERROR "readelf cannot read ${program}")
    endif()
    foreach(library IN LISTS forbidden)
        if(dynamic MATCHES "\\[lib${library}\\.so")
            message(FATAL_ERROR "${program} links ${library}")
        endif()
    endforeach()
endfunction()

check_needed("${CLI}" "Qt6Gui;Qt6Widgets;Qt6Charts;Qt6OpenGL")
check_needed("${PAPER}" "Qt6Widgets;Qt6Charts;Qt6OpenGL")
