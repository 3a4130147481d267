# Beside the shared libraries the two programs use them, as any other program does: one copy of
# the library on the machine, and the programs' package depends on the library's.
set(zr590_program_backend_shape-editor gtk)
set(zr590_program_backend_shape-replay headless)
set(zr590_program_objects_shape-editor shape_editor_main)

# Where the installed programs find the installed libraries: beside bin/, wherever the tree is
# installed (`cmake --install --prefix` included). Not where the system's loader looks already
# (a /usr install, the Debian packages): there an RPATH would only override the loader's own
# search, which Debian's policy asks packages not to do.
# (The platform's list lacks Debian's multiarch folders, which the compiler's has.)
if(NOT CMAKE_INSTALL_FULL_LIBDIR IN_LIST CMAKE_PLATFORM_IMPLICIT_LINK_DIRECTORIES AND
   NOT CMAKE_INSTALL_FULL_LIBDIR IN_LIST CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES)
  file(RELATIVE_PATH zr590_bin_to_lib "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
  set(zr590_program_rpath "$ORIGIN/${zr590_bin_to_lib}")
else()
  set(zr590_program_rpath "")
endif()

foreach(program shape-editor shape-replay)
  set(backend ${zr590_program_backend_${program}})
  if(TARGET ${program} AND TARGET zr590_${backend}_bundle)
    # In place of the backend's archives. The main archive first: it calls into the library.
    set_property(TARGET ${program} PROPERTY LINK_LIBRARIES ${zr590_program_objects_${program}}
                 shape_editor zr590_main_archive zr590_${backend}_bundle)
    set_property(TARGET ${program} PROPERTY INSTALL_RPATH "${zr590_program_rpath}")
  endif()
endforeach()
