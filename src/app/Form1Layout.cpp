#include "app/Form1Layout.h"

#include <array>

#include "app/InfoPages.h"
#include "app/SettingPage.h"
#include "feedback/FeedbackPage.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"

namespace harfpad {

const FormSpec& form1Spec() {
    static const std::array<PageSpec, 6> pages = {{
        {u"Setting", setting_page::controls()},
        {u"KB Testing", picture_page::controls()},
        {u"About", info_pages::aboutControls()},
        {u"Feedback", feedback_page::controls()},
        {u"Unicode Testing", unicode_page::controls()},
        {u"Other Products", info_pages::otherProductsControls()},
    }};
    // The rectangles were drawn for an 8.25 pt sans serif; the system's message font (Segoe UI
    // 9 pt on current Windows) has taller lines and clips the wrapped labels.
    static constexpr FontSpec kDesignFont{u"Microsoft Sans Serif", 825, false};
    // Client area 6930 x 7245 twips; the tab control SSTab1 (6855 x 7215) fills it.
    static const FormSpec spec{kForm1Caption,        6930,  7245,
                               {37, 15, 6855, 7215}, pages, &kDesignFont};
    return spec;
}

}  // namespace harfpad
