# Installs the build tree into a scratch prefix, then checks what a desktop
# needs: the program, its menu entry and its icon, where desktops look for
# them, with the copyright and changelog Debian asks for, and nothing else.
# Arguments: BUILD_DIR, PREFIX, VALIDATE (desktop-file-validate), READELF.

function(fail)
    string(JOIN "" text ${ARGV})
    message(FATAL_ERROR "${text}")
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    fail("cmake --install failed (${rc}):\n${out}${err}")
endif()

set(program bin/ZAT_VQX)
set(entry share/applications/zat-vqx.desktop)
set(icon_dir share/icons/hicolor/scalable/apps)

set(doc_dir share/doc/zat-vqx)

# Exactly these files: no library, test or header slips into the install.
file(GLOB_RECURSE installed RELATIVE ${PREFIX} LIST_DIRECTORIES false ${PREFIX}/*)
list(SORT installed)
set(expected ${program} ${entry} ${icon_dir}/zat-vqx.svg ${doc_dir}/copyright
             ${doc_dir}/changelog.gz)
list(SORT expected)
if(NOT installed STREQUAL expected)
    fail("installed files:\n  ${installed}\nexpected:\n  ${expected}")
endif()

execute_process(COMMAND test -x ${PREFIX}/${program} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    fail("${program} is not executable")
endif()

# The installed program finds Qt in the system folders; a search path left
# over from the build would point into a tree that may be gone.
execute_process(COMMAND ${READELF} -d ${PREFIX}/${program} OUTPUT_VARIABLE dynamic
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    fail("readelf cannot read ${program}")
endif()
if(dynamic MATCHES "\\((RPATH|RUNPATH)\\)[^\n]*")
    fail("${program} keeps a library search path: ${CMAKE_MATCH_0}")
endif()

# The entry validates, without errors or warnings.
execute_process(COMMAND ${VALIDATE} ${PREFIX}/${entry} RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR "${out}${err}" MATCHES "error|warning")
    fail("desktop-file-validate (${rc}):\n${out}${err}")
endif()

# Its program and icon are the ones installed beside it.
file(STRINGS ${PREFIX}/${entry} lines ENCODING UTF-8)
foreach(line IN LISTS lines)
    if(line MATCHES "^([A-Za-z]+)=(.*)$")
        set(key_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endif()
endforeach()
foreach(key Exec TryExec)
    string(REGEX REPLACE " .*" "" command "${key_${key}}")
    if(NOT EXISTS ${PREFIX}/bin/${command})
        fail("${key}=${key_${key}} names no installed program")
    endif()
endforeach()
if(NOT EXISTS ${PREFIX}/${icon_dir}/${key_Icon}.svg)
    fail("Icon=${key_Icon} names no installed icon in ${icon_dir}")
endif()
if(NOT key_Categories MATCHES "(^|;)HamRadio;")
    fail("Categories=${key_Categories} lacks HamRadio")
endif()

file(READ ${PREFIX}/${icon_dir}/${key_Icon}.svg svg)
if(NOT svg MATCHES "<svg[^>]*xmlns=\"http://www.w3.org/2000/svg\"")
    fail("the icon is not an SVG picture")
endif()
