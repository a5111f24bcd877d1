// Platform-free core: the texts of a failed saver-window creation, in code
// page 932 as the message box shows them to a Japanese user, and their
// English versions for everyone else.
#pragma once

extern const char HeaderFailureText[];   // メモリが足りません(Header)
extern const char BitmapFailureText[];   // メモリが足りません(Bitmap)
extern const char MaskFailureText[];     // メモリが足りません(Mask)
extern const char PaletteFailureText[];  // メモリが足りません(Palette)
extern const char PosFailureText[];      // メモリが足りません(pos)
// A frame resource that is missing or too short for its header and pixels.
extern const char FrameFailureText[];    // 画像が読めません(Frame)

// The picture that the X11 program and the page keep of their window (the
// module draws on the screen and has none): English only, as they speak.
extern const char PictureFailureText[];  // Not enough memory (picture)

// The English text of one of the texts above, naming the same block, e.g.
// "Not enough memory (Header)"; any other text comes back as it is.
const char* EnglishFailureText(const char* failureText);
