#include "keyboard/LegendPicture.h"

namespace harfpad::picture_page {
namespace {

constexpr const char16_t* kFaces[] = {
    u"Segoe UI",
    u"Tahoma",
    u"Arial",
    u"Noto Sans Arabic",
    u"Noto Naskh Arabic",
    u"Noto Sans Arabic UI",
    u"DejaVu Sans",
};

}  // namespace

const PictureSpec kLegendPicture{kFaces, 33, 75};

}  // namespace harfpad::picture_page
