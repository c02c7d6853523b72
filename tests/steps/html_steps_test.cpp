// The reply view's HTML engine works in proportion to the reply's length, on replies built to be
// slow and on an ordinary one: its steps are counted (html/StepCount.h, compiled in for this test
// only), not timed, so a busy machine cannot decide the outcome.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "SlowReplies.h"
#include "feedback/HtmlView.h"  // the limits the reply view parses under
#include "html/Parser.h"
#include "html/Serializer.h"
#include "html/StepCount.h"

namespace harfpad::html {
namespace {

using feedback::HtmlView;

constexpr std::size_t kMiB = std::size_t{1} << 20;

// A linear parse may still take many steps for a few code units: a tag of three ("<b>") may walk
// the open elements (at most kMaxDepth, 256) or the formatting elements after a marker (at most
// 64). One such walk for every tag is some 85 steps a code unit; a hundred allows it, while a walk
// over what the reply has built so far goes far past it at a mebibyte.
constexpr std::size_t kMaxStepsPerCodeUnit = 100;

// The steps of parsing `reply` as the reply view does, then writing it back.
std::size_t stepsFor(const std::u16string& reply) {
    Document document;
    countedSteps = 0;
    parseBodyContent(reply, document, {HtmlView::kMaxDepth, HtmlView::kMaxNodes});
    EXPECT_FALSE(serialize(document.root()).empty());
    return countedSteps;
}

// Four times the reply takes about four times the steps, never the sixteen of a quadratic walk.
TEST(HtmlSteps, RepliesTakeStepsInProportionToTheirLength) {
    std::vector<slow_replies::SlowReply> replies(std::begin(slow_replies::kSlowReplies),
                                                 std::end(slow_replies::kSlowReplies));
    replies.push_back(slow_replies::kOrdinary);
    for (const auto& [what, make] : replies) {
        const std::size_t quarter = stepsFor(make(kMiB / 4));
        const std::size_t whole = stepsFor(make(kMiB));
        EXPECT_LE(2 * whole, 9 * quarter) << what << ": " << quarter << " steps, then " << whole;
        EXPECT_LE(whole, kMaxStepsPerCodeUnit * kMiB) << what;
        RecordProperty(what, std::to_string(quarter) + " then " + std::to_string(whole) + " steps");
    }
}

}  // namespace
}  // namespace harfpad::html
