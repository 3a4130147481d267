# Debian packages of a shared build: `cpack -G DEB` in the build folder, configured with
# -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX=/usr. One package per component:
#   shape-editor           the programs, their manual pages, launcher entry and icons
#   libzr590-BACKEND2      one backend's shared library (package named after its soname)
#   libzr590-dev           headers, link-time names, libzr590-main.a, pkg-config, CMake package
# lintian finds no errors (tests/install/package_test.sh checks). The warnings kept, and why:
#   initial-upload-closes-no-bugs: the first package of each name; there is no Debian bug that
#     asked for it to close.
#   maintscript-calls-ldconfig: the libraries' postinst and postrm, which CPack writes for every
#     library in /usr/lib; the ldconfig trigger (debian/triggers) does the same work, so the
#     calls are redundant and harmless. Empty scripts would only trade this warning for
#     maintainer-script-empty.
set(ZR590_DEB_MAINTAINER "ZR590 shape editor authors <zr590@example.org>"
    CACHE STRING "Maintainer field of the Debian packages")
set(ZR590_DEB_RELEASE 1 CACHE STRING "Debian revision of the packages")

set(zr590_deb_name_programs shape-editor)
set(zr590_deb_name_dev libzr590-dev)
foreach(variant IN LISTS ZR590_VARIANTS)
  set(zr590_deb_name_${variant} libzr590-${variant}${PROJECT_VERSION_MAJOR})
endforeach()
set(zr590_deb_components programs ${ZR590_VARIANTS} dev)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Each package's own first line is its summary; CPack would put the project's above it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${zr590_deb_components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZR590_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZR590_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds the project's own libraries here, and leaves their packages to the
# component dependencies below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_CURRENT_BINARY_DIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(zr590_deb_version "${PROJECT_VERSION}-${ZR590_DEB_RELEASE}")

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION graphics)
set(CPACK_COMPONENT_PROGRAMS_DEPENDS ${ZR590_VARIANTS})
set(CPACK_COMPONENT_PROGRAMS_DESCRIPTION "editor for squares, triangles, circles and ovals
shape-editor draws squares, triangles, circles, rectangles and ovals in a
window, in 23 colours, filled or outlined; drawings are plain text files.
shape-replay runs the same editor without a display on a file of recorded
input messages and writes the picture as a PNG file.")

set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DEPENDS ${ZR590_VARIANTS})
# pkg-config needs the libraries' own pkg-config files (Requires.private).
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libcairo2-dev, libpango1.0-dev")
if(gtk IN_LIST ZR590_VARIANTS)
  string(APPEND CPACK_DEBIAN_DEV_PACKAGE_DEPENDS ", libgtk-3-dev")
endif()
set(CPACK_COMPONENT_DEV_DESCRIPTION "ZR590 graphics library: development files
Headers, pkg-config files (zr590-gtk, zr590-headless) and the CMake package
(find_package(zr590)) for programs written in C or C++ on the ZR590
graphics library, and libzr590-main.a, the process entry such a program
links beside the shared library.")

set(CPACK_COMPONENT_GTK_DESCRIPTION "ZR590 graphics library: GTK 3 windows
A small graphics library for C and C++ programs: a graphics window with a
menu, a text window, shapes, text, animation and recorded input. This
backend shows them in GTK 3 windows.")
set(CPACK_COMPONENT_HEADLESS_DESCRIPTION "ZR590 graphics library: no display
A small graphics library for C and C++ programs: a graphics window with a
menu, a text window, shapes, text, animation and recorded input. This
backend draws into memory and runs on a file of input messages, for tests
and for pictures made without a display.")
foreach(variant IN LISTS ZR590_VARIANTS)
  string(TOUPPER ${variant} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION libs)
  set(CPACK_DEBIAN_${upper}_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers)
endforeach()

# Debian wants manual pages compressed, without a time stamp.
foreach(program shape-editor shape-replay)
  if(TARGET ${program})
    configure_file(man/${program}.1 deb/man/${program}.1 COPYONLY)
    execute_process(COMMAND gzip -9nf deb/man/${program}.1
                    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/deb/man/${program}.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs EXCLUDE_FROM_ALL)
  endif()
endforeach()

# Each package's copyright file and changelog, in its own documentation folder: in the
# packages only, not in a plain install.
foreach(component IN LISTS zr590_deb_components)
  string(TOUPPER ${component} upper)
  set(package ${zr590_deb_name_${component}})
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
  set(doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package})
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${doc} RENAME copyright
          COMPONENT ${component} EXCLUDE_FROM_ALL)
  configure_file(debian/changelog.Debian.in deb/${package}/changelog.Debian @ONLY)
  execute_process(COMMAND gzip -9nf deb/${package}/changelog.Debian
                  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/deb/${package}/changelog.Debian.gz DESTINATION ${doc}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

include(CPack)
