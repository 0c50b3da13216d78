# Builds the Debian package from the build tree and checks its name, its
# dependencies, where its files go, and that lintian finds no error in it.
# Arguments: BUILD_DIR, OUT_DIR, CPACK, DPKG_DEB, LINTIAN.

function(fail)
    string(JOIN "" text ${ARGV})
    message(FATAL_ERROR "${text}")
endfunction()

file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT_DIR}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    fail("cpack failed (${rc}):\n${out}${err}")
endif()
file(GLOB debs ${OUT_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    fail("expected one .deb in ${OUT_DIR}, found: ${debs}")
endif()

execute_process(COMMAND ${DPKG_DEB} --info ${debs} RESULT_VARIABLE rc OUTPUT_VARIABLE info
                ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    fail("dpkg-deb --info failed:\n${err}")
endif()
if(NOT info MATCHES "\n Package: zat-vqx\n")
    fail("not the package zat-vqx:\n${info}")
endif()
if(NOT info MATCHES "\n Depends: ([^\n]*)")
    fail("no dependencies:\n${info}")
endif()
set(depends "${CMAKE_MATCH_1}")
# Found by dpkg-shlibdeps from the libraries the program links, and the two
# the program needs without linking them.
foreach(package libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6
                libqt6webenginewidgets6 fonts-liberation2 qt6-translations-l10n)
    if(NOT depends MATCHES "(^|, )${package}( |,|$)")
        fail("Depends lacks ${package}: ${depends}")
    endif()
endforeach()

# rigctld is only needed once rig control is turned on.
if(NOT info MATCHES "\n Recommends: ([^\n]*libhamlib-utils)")
    fail("Recommends lacks libhamlib-utils:\n${info}")
endif()

execute_process(COMMAND ${DPKG_DEB} --contents ${debs} RESULT_VARIABLE rc
                OUTPUT_VARIABLE contents)
if(NOT rc EQUAL 0)
    fail("dpkg-deb --contents failed")
endif()
if(NOT contents MATCHES "-rwxr-xr-x [^\n]* \\./usr/bin/ZAT_VQX\n")
    fail("no executable /usr/bin/ZAT_VQX:\n${contents}")
endif()
foreach(file usr/share/applications/zat-vqx.desktop
             usr/share/icons/hicolor/scalable/apps/zat-vqx.svg
             usr/share/doc/zat-vqx/copyright
             usr/share/doc/zat-vqx/changelog.gz)
    if(NOT contents MATCHES " \\./${file}\n")
        fail("/${file} missing:\n${contents}")
    endif()
endforeach()

# Debian's own checks of a package: errors fail the test, warnings are shown.
execute_process(COMMAND ${LINTIAN} --fail-on error --no-tag-display-limit ${debs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    fail("lintian finds errors (${rc}):\n${out}${err}")
endif()
if(out)
    message(STATUS "lintian:\n${out}")
endif()
