# The seven frame files compiled into the core, for the programs that have
# no resources (the X11 program and the page), as the module carries them as
# resources. embedded_frames_source(VAR): the generated source in the
# calling folder's build folder; it is made again when a frame file changes,
# and after the art generator where this tree draws the art (DRAWS_ART).
function(embedded_frames_source var)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/embedded_frames.cpp)
  set(frame_files)
  foreach(frame RANGE 200 206)
    list(APPEND frame_files ${ART_DIR}/${frame}.bmp)
  endforeach()
  set(generator)
  if(DRAWS_ART)
    set(generator art)
  endif()
  add_custom_command(
    OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DART_DIR=${ART_DIR} -DOUTPUT=${source}
            -P ${CMAKE_SOURCE_DIR}/cmake/embed_frames.cmake
    DEPENDS ${frame_files} ${generator} ${CMAKE_SOURCE_DIR}/cmake/embed_frames.cmake
    COMMENT "Embedding the frame bitmaps"
    VERBATIM)
  set(${var} ${source} PARENT_SCOPE)
endfunction()
