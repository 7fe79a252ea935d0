# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). A Debian package depends on the
# libraries its programs link, as dpkg-shlibdeps names them with their lowest versions. It runs
# here once over the two programs: CPack's own scan for it starts two processes for every file of
# the data folder, which takes minutes on a busy machine.
#   MARROWGATE_PROGRAMS    the built programs
#   MARROWGATE_SCRATCH     a folder to run dpkg-shlibdeps in (it wants a debian/control there)

if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps (Debian package dpkg-dev) is needed to name the "
        "package's dependencies")
endif()
file(MAKE_DIRECTORY ${MARROWGATE_SCRATCH}/debian)
file(TOUCH ${MARROWGATE_SCRATCH}/debian/control)
set(arguments)
foreach(program ${MARROWGATE_PROGRAMS})
    list(APPEND arguments -e ${program})
endforeach()
execute_process(COMMAND ${DPKG_SHLIBDEPS} -O ${arguments}
    WORKING_DIRECTORY ${MARROWGATE_SCRATCH}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT out MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps could not name the dependencies of "
        "${MARROWGATE_PROGRAMS}:\n${out}${err}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
