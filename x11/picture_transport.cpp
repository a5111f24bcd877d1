#include "x11/picture_transport.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "anim/heap_block.h"
#include "x11/x11_state.h"

namespace {

int32_t AttachFailed = 0;

int NoteAttachFailure(Display*, XErrorEvent*) {
  AttachFailed = 1;
  return 0;
}

bool IsLittleEndianMachine() {
  const uint16_t probe = 1;
  return *reinterpret_cast<const uint8_t*>(&probe) == 1;
}

// A segment of the server's and ours; removed at once after both attached,
// so that it goes away with the last user even if we are killed.
bool CreateSharedImage(int32_t width, int32_t height) {
  XShmSegmentInfo& segment = X11State.segment;
  XImage* image = XShmCreateImage(X11State.display, X11State.visual, X11State.depth, ZPixmap,
                                  nullptr, &segment, width, height);
  if (image == nullptr) return false;
  segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * height,
                         IPC_CREAT | 0600);
  if (segment.shmid < 0) {
    XDestroyImage(image);
    return false;
  }
  segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  segment.readOnly = True;
  if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
    shmctl(segment.shmid, IPC_RMID, nullptr);
    XDestroyImage(image);
    return false;
  }
  image->data = segment.shmaddr;
  // A server on another machine may offer the extension and still fail to
  // attach: that shows as an error, caught here, and plain XPutImage is used.
  XSync(X11State.display, False);
  AttachFailed = 0;
  XErrorHandler kept = XSetErrorHandler(NoteAttachFailure);
  XShmAttach(X11State.display, &segment);
  XSync(X11State.display, False);
  XSetErrorHandler(kept);
  shmctl(segment.shmid, IPC_RMID, nullptr);
  if (AttachFailed) {
    shmdt(segment.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
    return false;
  }
  X11State.image = image;
  X11State.usesShm = 1;
  return true;
}

bool CreatePlainImage(int32_t width, int32_t height) {
  const PixelFormat& format = WindowPicture.Format;
  // Xlib wants every row padded to 32 bits (the bitmap_pad below): an odd
  // width of 16-bit pixels needs two bytes more than its pixels.
  const int32_t stride = (width * format.bytesPerPixel + 3) / 4 * 4;
  char* pixels = static_cast<char*>(AllocateBlock(static_cast<size_t>(stride) * height));
  if (pixels == nullptr) return false;
  XImage* image = XCreateImage(X11State.display, X11State.visual, X11State.depth, ZPixmap, 0,
                               pixels, width, height, 32, stride);
  if (image == nullptr) {
    ReleaseBlock(pixels);
    return false;
  }
  // The pixels are written in this machine's order; Xlib swaps them for a
  // server of the other order.
  image->byte_order = IsLittleEndianMachine() ? LSBFirst : MSBFirst;
  X11State.image = image;
  X11State.usesShm = 0;
  return true;
}

}  // namespace

bool CreatePicture(int32_t width, int32_t height) {
  // A window of no pixels still gets a picture of one, so that nothing
  // below needs to ask.
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  const bool made = (XShmQueryExtension(X11State.display) && CreateSharedImage(width, height)) ||
                    CreatePlainImage(width, height);
  if (!made) return false;
  WindowPicture.Pixels = reinterpret_cast<uint8_t*>(X11State.image->data);
  WindowPicture.Width = width;
  WindowPicture.Height = height;
  WindowPicture.Stride = X11State.image->bytes_per_line;
  FillWindowPicture(0x000000);
  return true;
}

void DestroyPicture() {
  XImage* image = X11State.image;
  if (image == nullptr) return;
  if (X11State.usesShm) {
    XShmDetach(X11State.display, &X11State.segment);
    XSync(X11State.display, False);
    shmdt(X11State.segment.shmaddr);
  } else {
    ReleaseBlock(image->data);
  }
  image->data = nullptr;  // XDestroyImage frees only the record then
  XDestroyImage(image);
  X11State.image = nullptr;
  X11State.usesShm = 0;
  WindowPicture.Pixels = nullptr;
  WindowPicture.Width = WindowPicture.Height = WindowPicture.Stride = 0;
}

void SendPictureRect(const PictureRect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const unsigned width = static_cast<unsigned>(rect.right - rect.left);
  const unsigned height = static_cast<unsigned>(rect.bottom - rect.top);
  if (X11State.usesShm) {
    XShmPutImage(X11State.display, X11State.window, X11State.gc, X11State.image, rect.left,
                 rect.top, rect.left, rect.top, width, height, False);
  } else {
    XPutImage(X11State.display, X11State.window, X11State.gc, X11State.image, rect.left, rect.top,
              rect.left, rect.top, width, height);
  }
}

void FlushSending() { XFlush(X11State.display); }

void FinishSending() { XSync(X11State.display, False); }
