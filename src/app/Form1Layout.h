// The main window as data: caption, client size, tab control and the six pages in order.
#pragma once

#include "platform/Ui.h"

namespace harfpad {

inline constexpr char16_t kForm1Caption[] = u"Harfpad by Zemrak";

enum Form1Page : int {
    kPageSetting = 0,
    kPageKbTesting,
    kPageAbout,
    kPageFeedback,
    kPageUnicodeTesting,
    kPageOtherProducts,
};

const FormSpec& form1Spec();

}  // namespace harfpad
