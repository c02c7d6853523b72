// The page tables of the main window: every control fits its frame, nothing overlaps, and the
// Tab key visits the keyboards row by row.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/Form1Layout.h"
#include "feedback/FeedbackPage.h"
#include "keyboard/PictureKeyboardPage.h"
#include "keyboard/UnicodeKeyboardPage.h"
#include "platform/Twips.h"

namespace harfpad {
namespace {

// The designed rows are 480 twips apart with 495-twip keys: neighbours share a 15-twip seam
// (one pixel at 96 DPI), which is allowed; anything deeper hides part of a control.
constexpr int kSeam = 15;

bool overlap(const TwipsRect& a, const TwipsRect& b) {
    const int across = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int down = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return across > kSeam && down > kSeam;
}

// Overlaps the form was drawn with: a label's empty right end under its text box, the reply view
// over the lower right of the message box, the transmission status beside its caption.
bool designedOverlap(ControlId a, ControlId b) {
    namespace fp = feedback_page;
    const std::pair<ControlId, ControlId> designed[] = {
        {fp::kLabel3Name, fp::kText1Name},         {fp::kLabel3Email, fp::kText1Email},
        {fp::kLabel3Feedback, fp::kText1Feedback}, {fp::kText1Feedback, fp::kWebBrowser1},
        {fp::kLabel3Transmission, fp::kLabel10},
    };
    for (const auto& [x, y] : designed)
        if ((a == x && b == y) || (a == y && b == x))
            return true;
    return false;
}

TEST(Form1Layout, ControlsFitTheirFramesAndDoNotOverlap) {
    const FormSpec& form = form1Spec();
    std::set<ControlId> ids;
    for (const PageSpec& page : form.pages) {
        const auto& controls = page.controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlSpec& c = controls[i];
            EXPECT_TRUE(ids.insert(c.id).second) << "id " << c.id << " used twice";
            EXPECT_GT(c.rect.width, 0) << c.id;
            EXPECT_GT(c.rect.height, 0) << c.id;
            if (c.container != kNoControl) {
                const ControlSpec* frame = nullptr;
                for (std::size_t j = 0; j < i; ++j)
                    if (controls[j].id == c.container)
                        frame = &controls[j];
                ASSERT_NE(frame, nullptr) << c.id << " stands in a frame listed before it";
                EXPECT_LE(c.rect.left + c.rect.width, frame->rect.width) << c.id;
                EXPECT_LE(c.rect.top + c.rect.height, frame->rect.height) << c.id;
            }
            for (std::size_t j = 0; j < i; ++j) {
                const ControlSpec& d = controls[j];
                if (c.kind == ControlKind::Frame || d.kind == ControlKind::Frame ||
                    c.container != d.container)
                    continue;
                EXPECT_EQ(overlap(c.rect, d.rect), designedOverlap(c.id, d.id))
                    << c.id << " and " << d.id;
            }
        }
    }
}

// Keys in table order run left to right within a row and the rows run top to bottom.
void expectRowByRowOrder(std::span<const ControlSpec> controls, ControlId first, ControlId last) {
    const ControlSpec* previous = nullptr;
    int keys = 0;
    for (const ControlSpec& c : controls) {
        if (c.id < first || c.id > last)
            continue;
        ++keys;
        if (previous) {
            const bool sameRow = previous->rect.top == c.rect.top;
            EXPECT_TRUE(sameRow ? c.rect.left > previous->rect.left
                                : c.rect.top > previous->rect.top)
                << previous->id << " then " << c.id;
        }
        previous = &c;
    }
    EXPECT_GT(keys, 50);
}

TEST(Form1Layout, TabOrderFollowsTheKeyboardRows) {
    expectRowByRowOrder(picture_page::controls(), picture_page::keyId(0),
                        picture_page::keyId(picture_page::kKeyCount - 1));
    expectRowByRowOrder(unicode_page::controls(), unicode_page::kCmd13,
                        unicode_page::characterKeyId(unicode_page::kCharacterKeyCount - 1));
}

}  // namespace
}  // namespace harfpad
