// The reply view stays small on any reply: a length limit, a depth limit and a limit on the
// tree's size. (Its work in proportion to the reply's length is counted in tests/steps.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "SlowReplies.h"
#include "feedback/HtmlView.h"

namespace harfpad::feedback {
namespace {

constexpr std::u16string_view kAck = u"Data received. Thank you.";
constexpr std::size_t kMiB = std::size_t{1} << 20;

bool acknowledges(std::u16string_view reply) {
    HtmlView view;
    view.setBodyHtml(reply);
    return view.bodyHtml().find(kAck) != std::u16string::npos;
}

using slow_replies::number;
using slow_replies::repeatTo;

// Nodes plus attributes, the measure of the tree's size.
std::size_t treeSize(const html::Node& root, std::size_t* depth = nullptr) {
    std::size_t size = 0, deepest = 0, level = 0;  // level: the elements above a node
    html::walkTree(
        root,
        [&](const html::Node& node) {
            size += 1 + node.attributes.size();
            deepest = std::max(deepest, level + 1);
            level += node.kind == html::Node::Kind::Element;
            return true;
        },
        [&](const html::Node&) { --level; });
    if (depth)
        *depth = deepest;
    return size;
}

TEST(HtmlViewBounds, OnlyTheFirstMebibyteOfAReplyIsKept) {
    const std::u16string filler(HtmlView::kMaxReplyLength - 10, u'x');
    EXPECT_TRUE(acknowledges(std::u16string(kAck) + filler + u"tail beyond the limit"));
    EXPECT_FALSE(acknowledges(filler + std::u16string(kAck)));
    EXPECT_TRUE(acknowledges(filler.substr(20) + std::u16string(kAck)));

    HtmlView view;
    view.setBodyHtml(std::u16string(HtmlView::kMaxReplyLength + 5, u'y'));
    EXPECT_EQ(view.bodyHtml().size(), HtmlView::kMaxReplyLength);
    // A character of two code units is not cut in half.
    view.setBodyHtml(std::u16string(HtmlView::kMaxReplyLength - 1, u'y') + u"\U0001F600");
    EXPECT_EQ(view.bodyHtml(), std::u16string(HtmlView::kMaxReplyLength - 1, u'y'));
}

TEST(HtmlViewBounds, NestingIsLimitedAndTheTextKept) {
    std::u16string html;
    for (int i = 0; i < 5000; ++i) html += i % 2 ? u"<span>" : u"<div>";
    html += kAck;
    HtmlView view;
    view.setBodyHtml(html);
    std::size_t depth = 0;
    treeSize(view.body(), &depth);
    EXPECT_LE(depth, HtmlView::kMaxDepth);
    EXPECT_NE(view.bodyHtml().find(kAck), std::u16string::npos);
    EXPECT_EQ(view.readableText(), kAck);
}

TEST(HtmlViewBounds, ReopenedFormattingCannotGrowTheTreeWithoutEnd) {
    // Each "<p>x</p>" reopens the <b> with all its attributes: a few bytes, thousands of nodes.
    std::u16string html = u"<p><b";
    for (int i = 0; i < 2000; ++i) html += u" a" + number(i);
    html += u">x</p>" + repeatTo(kMiB / 2, [](int) { return std::u16string(u"<p>x</p>"); });
    HtmlView view;
    view.setBodyHtml(html + std::u16string(kAck));
    EXPECT_LE(treeSize(view.body()), HtmlView::kMaxNodes + 2 * 2001);
}

TEST(HtmlViewBounds, AReplyThatReopensFormattingEverywhereIsReadToItsEnd) {
    // 64 formatting elements reopened by every "<p>x</p>": past a limit they are no longer
    // reopened, so the rest of the reply still fits in the tree.
    std::u16string html = u"<p>";
    for (int i = 0; i < 64; ++i) html += u"<b id=" + number(i) + u">";
    html += u"x</p>" + repeatTo(20000 * 8, [](int) { return std::u16string(u"<p>x</p>"); });
    EXPECT_TRUE(acknowledges(html + std::u16string(kAck)));
}

}  // namespace
}  // namespace harfpad::feedback
