// How the picture keyboard's character keys show their legends: a picture of the Arabic letter
// or digit, drawn in a face that has its glyphs.
#pragma once

#include "platform/Ui.h"

namespace harfpad::picture_page {

// Faces that carry Arabic on Windows first, then those a Wine or Linux desktop usually has; at
// most 33 pixels square at 96 DPI, Arabic letters reaching far above and below the baseline so
// that the em takes three quarters of the square.
extern const PictureSpec kLegendPicture;

}  // namespace harfpad::picture_page
