# The frames for a cross build of the program: the art generator built and
# run apart, with this machine's compiler and none of the host's flags.
include(ExternalProject)
set(build_machine_frames)
foreach(frame RANGE 200 206)
  list(APPEND build_machine_frames ${ART_DIR}/${frame}.bmp)
endforeach()
ExternalProject_Add(build_machine_art
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/build-machine-art
  CONFIGURE_COMMAND
    ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CFLAGS --unset=CXXFLAGS --unset=CPPFLAGS
                            --unset=LDFLAGS
    ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR> -DPENNYDANCE_TREE=art -DART_DIR=${ART_DIR}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target art
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${build_machine_frames})
add_custom_target(art)
add_dependencies(art build_machine_art)
