# Writes the seven frame files of the art generator into one C++ source, so
# that the program carries its pictures as the module carries its resources.
#   cmake -DART_DIR=... -DOUTPUT=... -P embed_frames.cmake
set(text "// Made by cmake/embed_frames.cmake from the art generator's frame files.\n")
string(APPEND text "#include \"anim/embedded_frames.h\"\n\n")
set(table "")
foreach(frame RANGE 200 206)
  file(READ "${ART_DIR}/${frame}.bmp" bytes HEX)
  string(LENGTH "${bytes}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
  string(APPEND text "static const unsigned char Frame${frame}[${size}] = {\n${bytes}};\n\n")
  string(APPEND table "    {Frame${frame}, sizeof Frame${frame}},\n")
endforeach()
string(APPEND text "const EmbeddedFile EmbeddedFrames[EmbeddedFrameCount] = {\n${table}};\n")
file(WRITE "${OUTPUT}.new" "${text}")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
