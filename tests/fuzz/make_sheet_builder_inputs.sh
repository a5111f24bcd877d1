#!/bin/bash
# Writes frame files into DIR: one laid out as the art generator lays a frame
# (14 + 1,064 + 12,544 bytes), one just long enough with bfOffBits 0, one
# with its picture flush against the end, and one a byte too short.
set -euo pipefail
dir=$1

# Repeats the escape $1 $2 times (bash strings cannot hold a zero byte, so
# bytes travel as printf escapes).
repeat() {
  local out="" i
  for ((i = 0; i < $2; ++i)); do out+=$1; done
  printf '%s' "$out"
}

le32() {
  local b0 b1 b2 b3
  printf -v b0 %02x $(($1 & 255)); printf -v b1 %02x $(($1 >> 8 & 255))
  printf -v b2 %02x $(($1 >> 16 & 255)); printf -v b3 %02x $(($1 >> 24 & 255))
  printf "\\x$b0\\x$b1\\x$b2\\x$b3"
}

file_header() {  # file size, bfOffBits
  printf 'BM'; le32 "$1"; le32 0; le32 "$2"
}

info_header() {  # 112 x 112, 8 bits, 256 colours, then a grey palette
  le32 40; le32 112; le32 112; printf '\x01\x00\x08\x00'; le32 0; le32 12544
  le32 0; le32 0; le32 256; le32 0
  local c x palette=""
  for ((c = 0; c < 256; ++c)); do
    printf -v x %02x "$c"
    palette+="\\x$x\\x$x\\x$x\\x00"
  done
  printf "$palette"
}

# Key colour 0 around a square whose colour changes from row to row.
picture() {
  local y colour blank edge
  blank=$(repeat '\x00' 112)
  edge=$(repeat '\x00' 28)
  for ((y = 0; y < 112; ++y)); do
    if ((y < 28 || y >= 84)); then
      printf "$blank"
    else
      printf -v colour '\\x%02x' $((y + 1))
      printf "$edge$(repeat "$colour" 56)$edge"
    fi
  done
}

pixels="$(mktemp)"
trap 'rm -f "$pixels"' EXIT
picture >"$pixels"
{ file_header 13622 1078; info_header; cat "$pixels"; } >"$dir/frame_as_generated.bmp"
{ file_header 12544 0; info_header; head -c $((12544 - 1078)) "$pixels"; } >"$dir/offbits_zero.bmp"
{ file_header 13700 1156; info_header; printf "$(repeat '\x00' 78)"; cat "$pixels"; } >"$dir/picture_at_end.bmp"
head -c 13621 "$dir/frame_as_generated.bmp" >"$dir/one_byte_short.bmp"
