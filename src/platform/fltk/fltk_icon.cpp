#include "platform/fltk/fltk_icon.h"

#include <FL/Fl_Pixmap.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>

namespace quorvel {
namespace {

// The pixel art is kept as XPM text, which FLTK reads as it is.
#include "platform/resources/quorvel_16.xpm"
#include "platform/resources/quorvel_32.xpm"

}  // namespace

void setProgramIcon(Fl_Window& window) {
  const Fl_Pixmap small(quorvel_16_xpm);
  const Fl_Pixmap large(quorvel_32_xpm);
  // Transparent pixels become the alpha channel.
  const Fl_RGB_Image smallImage(&small);
  const Fl_RGB_Image largeImage(&large);
  const Fl_RGB_Image* images[] = {&smallImage, &largeImage};
  window.icons(images, 2);  // the window keeps copies
}

}  // namespace quorvel
