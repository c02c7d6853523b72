// "Send" on the Feedback page, end to end through the main window, against fakes.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "feedback/FeedbackForm.h"
#include "feedback/FormEncoding.h"

#include "app/InfoPages.h"
#include "fakes/FakeForm1Platform.h"
#include "feedback/FeedbackPage.h"

namespace harfpad {
namespace {

namespace fp = feedback_page;
// What "Send" promises: an outcome within 30 s of the press, of which the probe gets 10 s.
constexpr std::uint64_t kSendPromiseMs = 30'000, kProbePromiseMs = 10'000;

class FeedbackFormTest : public ::testing::Test, protected fakes::FakeForm1Platform {
  protected:
    void SetUp() override { form.show(); }
    void fill(std::u16string_view name, std::u16string_view email, std::u16string_view message) {
        window.setText(fp::kText1Name, name);
        window.setText(fp::kText1Email, email);
        window.setText(fp::kText1Feedback, message);
    }
    void send() {
        pressed = ui.now;
        window.userClick(fp::kSubmit);
    }
    std::size_t posts() const {
        std::size_t n = 0;
        for (const auto& record : http.records) n += record.request.method == u"POST";
        return n;
    }
    void reply(std::u16string_view html) { http.feedback.body = feedback::toUtf8(html); }

    std::uint64_t pressed = 0;
    feedback::FeedbackAddresses addresses{u"http://feedback.test/softfback.php",
                                          u"http://probe.test/connecttest.txt",
                                          u"Microsoft Connect Test"};
    Form1 form{platform(nullptr, addresses)};
};

TEST_F(FeedbackFormTest, NoConnectionShowsFailAndSendsNothing) {
    struct Row {
        const char* what;
        std::function<void()> arrange;
    } rows[] = {
        {"no request can start", [&] { http.refusing = true; }},
        {"probe host unreachable", [&] { http.probe.unreachable = true; }},
        {"probe host silent", [&] { http.probe.headersAfterMs = http.kNever; }},
        {"probe answers too late", [&] { http.probe.headersAfterMs = kProbePromiseMs + 1; }},
        {"a captive portal's sign-in page", [&] { http.probe.body = "<h1>Sign in</h1>"; }},
        {"the text and more", [&] { http.probe.body += " and more"; }},
        {"a proxy asks for a password", [&] { http.probe.status = 407; }},
    };
    for (const Row& row : rows) {
        http.reset();
        fill(u"n", u"a@b.c", u"hello");
        send();  // a connection first: a failure after it is no connection all the same
        ASSERT_TRUE(form.feedback().isConnected());
        http.reset();
        row.arrange();
        ui.boxes.clear();
        send();
        EXPECT_FALSE(form.feedback().isConnected()) << row.what;
        EXPECT_EQ(window.text(fp::kLabel21), u"Fail") << row.what;
        ASSERT_EQ(ui.boxes.size(), 1u) << row.what;
        EXPECT_EQ(ui.boxes[0].text, u"Connection to the internet fail");
        EXPECT_EQ(ui.boxes[0].title, u"Harfpad");
        EXPECT_EQ(ui.boxes[0].style, 0u);
        EXPECT_EQ(posts(), 0u) << row.what;
        EXPECT_TRUE(window.isEnabled(fp::kSubmit));
        EXPECT_LE(ui.now - pressed, kProbePromiseMs) << row.what;
        EXPECT_EQ(window.caption(), u"Checking connection with probe.test...");
    }
}

TEST_F(FeedbackFormTest, ValidationMessagesStopTheSend) {
    struct Row {
        std::u16string email, message, box;
    } rows[] = {
        {u"", u"hello", u"Please enter your email"},
        {u" ", u"hello", u"Please correct your email"},
        {u"a@b", u"hello", u"Please correct your email"},
        {u"a.b", u"hello", u"Please correct your email"},
        {u"a@b.c", u"x", u"Please enter the feedback"},
    };
    for (const Row& row : rows) {
        ui.boxes.clear();
        fill(u"n", row.email, row.message);
        send();
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, row.box);
        EXPECT_EQ(ui.boxes[0].title, u"Zemrak Software");
        EXPECT_EQ(ui.boxes[0].style, 0u);
        EXPECT_EQ(window.text(fp::kLabel21), u"Success");
        EXPECT_EQ(posts(), 0u);
        EXPECT_EQ(window.text(fp::kLabel10), u"");
        EXPECT_TRUE(window.isEnabled(fp::kSubmit));
    }
}

// The probe asks for the probe page, then the post goes with one header and the encoded body;
// neither has credentials.
TEST_F(FeedbackFormTest, ProbeThenAPostWithOneHeaderAndTheEncodedBody) {
    reply(u"<p>Data received. Thank you.</p>");
    http.feedback.headersAfterMs = 200;
    std::vector<std::u16string> statuses;
    bool alwaysDisabled = true;
    ui.onWait = [&] {
        alwaysDisabled = alwaysDisabled && !window.isEnabled(fp::kSubmit);
        statuses.push_back(window.text(fp::kLabel10));
    };
    fill(u"Ali", u"a@b.c", u"one & two\r\n100%");
    send();
    EXPECT_TRUE(alwaysDisabled) << "no second press while the request runs";
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.back(), u"Sending...");
    ASSERT_EQ(http.records.size(), 2u);
    const HttpRequest& probe = http.records[0].request;
    EXPECT_EQ(probe.method, u"GET");
    EXPECT_EQ(probe.url, u"http://probe.test/connecttest.txt");
    EXPECT_EQ(probe.agent, u"Harfpad");
    EXPECT_EQ(probe.headers, u"");
    // Reload, no cache write, keep the connection; no dialog, no cookies.
    EXPECT_EQ(probe.flags, 0x84400000u | 0x00000200u | 0x00080000u);
    EXPECT_EQ(window.caption(), u"Checking connection with probe.test...");
    EXPECT_EQ(window.text(fp::kLabel21), u"Success");
    const HttpRequest& post = http.records[1].request;
    EXPECT_EQ(post.agent, u"Harfpad");
    EXPECT_EQ(post.method, u"POST");
    EXPECT_EQ(post.url, u"http://feedback.test/softfback.php");
    EXPECT_EQ(post.headers, u"Content-Type: application/x-www-form-urlencoded\r\n");
    EXPECT_EQ(post.body, "name=Ali&email=a%40b.c&feedback=one+%26+two%0D%0A100%25");
    // Reload, no cache write, no redirect followed; no dialog, no cookies.
    EXPECT_EQ(post.flags, 0x84000000u | 0x00200000u | 0x00000200u | 0x00080000u);
    EXPECT_EQ(ui.cursorChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");
    EXPECT_TRUE(window.isEnabled(fp::kSubmit));
    EXPECT_EQ(window.text(fp::kWebBrowser1), u"Data received. Thank you.");
    EXPECT_EQ(window.text(fp::kText1Name), u"Ali") << "the fields are kept";
    EXPECT_EQ(window.text(fp::kText1Email), u"a@b.c");
    EXPECT_EQ(window.text(fp::kText1Feedback), u"one & two\r\n100%");
}

// A close while "Send" waits ends the program and posts nothing more, whether it comes during
// the probe or in the pass before the post.
TEST_F(FeedbackFormTest, ClosingWhileWaitingEndsWithoutPosting) {
    for (const std::uint64_t probeMs : {std::uint64_t{0}, std::uint64_t{5000}}) {
        http.reset();
        http.probe.headersAfterMs = probeMs;
        form.show();
        fill(u"name", u"a@b.c", u"hello");
        ui.cursorChanges.clear();
        ui.boxes.clear();
        ui.ended = false;
        ui.onWait = [&] {
            if (window.isLoaded())
                window.userClose();
        };
        send();
        ui.onWait = nullptr;
        EXPECT_TRUE(ui.ended);
        EXPECT_FALSE(window.isLoaded());
        EXPECT_EQ(posts(), 0u) << probeMs;
        EXPECT_TRUE(ui.boxes.empty());
        EXPECT_EQ(ui.cursorChanges.back(), false) << "the pointer comes back";
    }
}

// A press that reaches the program while a request runs starts nothing of its own.
TEST_F(FeedbackFormTest, APressWhileWaitingIsIgnored) {
    reply(u"Data received. Thank you.");
    http.feedback.headersAfterMs = 1000;
    fill(u"name", u"a@b.c", u"hello");
    ui.onWait = [&] { form.submit_Click(); };
    send();
    EXPECT_EQ(posts(), 1u);
    EXPECT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");
}

// The parsed reply decides. No more of a reply is read than the view keeps; the view's cap
// counts the reply as received, before its LFs become CR LF.
TEST_F(FeedbackFormTest, OutcomeIsDecidedByTheParsedReply) {
    const std::size_t cap = feedback::HtmlView::kMaxReplyLength;
    const std::u16string ack = u"Data received. Thank you.", received = ack + u" ",
                         error = u"Transmission Error.";
    struct Row {
        const char* what;
        std::u16string reply;
        std::u16string status;
    } rows[] = {
        {"acknowledged", u"<html><body>" + ack + u"</body></html>", received},
        {"inside other text", u"OK: " + ack + u" Bye", received},
        {"other letter case", u"Data Received. Thank You.", error},
        {"split by a tag", u"Data received.<br>Thank you.", error},
        {"only after parsing", u"Data&#32;received. Thank&nbsp;you.", error},
        {"made by references", u"Data&#x20;received. Thank you.", received},
        {"inside script", u"<script>'" + ack + u"'</script>", received},
        {"in Arabic company", u"\u0634\u0643\u0631\u0627 " + ack, received},
        {"empty", u"", error},
        {"an error page", u"<h1>500 Internal Server Error</h1>", error},
        {"8 MiB, acknowledged at the start", ack + std::u16string(8 * cap, u'x'), received},
        {"acknowledged past the cap", std::u16string(cap, u'x') + ack, error},
        {"600,000 line ends before the acknowledgement",
         std::u16string(600'000, u'\n') + ack + std::u16string(100'000, u'y'), received},
        {"Arabic up to the acknowledgement at the cap",
         std::u16string(cap - ack.size(), u'\u0634') + ack + std::u16string(cap, u'\u0634'),
         received},
    };
    for (const Row& row : rows) {
        reply(row.reply);
        fill(u"n", u"a@b.c", u"hello");
        send();
        EXPECT_EQ(window.text(fp::kLabel10), row.status) << row.what;
        EXPECT_TRUE(window.isEnabled(fp::kSubmit)) << row.what;
        EXPECT_LE(http.records.back().bytesTaken, feedback::kMaxReplyBytes) << row.what;
        // A bounded part, and the line saying the rest is not shown.
        EXPECT_LE(window.text(fp::kWebBrowser1).size(), 4'096u + 40) << row.what;
    }
}

// WinINet signs in by itself to a proxy or server that takes the user's own Windows logon.
TEST_F(FeedbackFormTest, WinInetSignsInWithTheUsersLogon) {
    for (const int challenge : {401, 407}) {
        http.feedback = {.body = "Data received. Thank you.", .challenge = challenge};
        fill(u"n", u"a@b.c", u"hello");
        send();
        EXPECT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ") << challenge;
    }
}

TEST_F(FeedbackFormTest, ReplyLineEndsBecomeCrLf) {
    reply(u"<p>a</p>\n<p>b</p>\r\n");
    fill(u"n", u"a@b.c", u"hello");
    send();
    EXPECT_EQ(form.feedback().serverReply(), u"<p>a</p>\r\n<p>b</p>\r\r\n");
    EXPECT_EQ(window.text(fp::kWebBrowser1), u"a\r\nb");
}

// Whatever the feedback server does, the outcome comes within the bound of the press, and a
// request that fails never shows an earlier acknowledgement.
TEST_F(FeedbackFormTest, EveryPressEndsWithinTheBound) {
    using Server = fakes::FakeHttpClient::Server;
    const std::string ack = "Data received. Thank you.";
    struct Row {
        const char* what;
        std::uint64_t probeMs;
        Server server;
        bool abandoned;
    } rows[] = {
        {"unreachable", 0, {.unreachable = true}, false},
        {"asks for a password", 0, {.status = 401, .body = ack}, true},
        {"a proxy asks for a password", 0, {.status = 407, .body = ack}, true},
        {"silent", 0, {.headersAfterMs = fakes::FakeHttpClient::kNever}, true},
        {"silent after a slow probe",
         9'900,
         {.headersAfterMs = fakes::FakeHttpClient::kNever},
         true},
        {"too late", 0, {.headersAfterMs = kSendPromiseMs + 1, .body = ack}, true},
        {"one byte a second", 0, {.body = ack + std::string(100, ' '), .msPerByte = 1000}, true},
        {"a 307", 0, {.status = 307, .body = ack, .location = u"http://elsewhere.test/"}, true},
        {"a 308", 0, {.status = 308, .body = ack, .location = u"http://elsewhere.test/"}, true},
    };
    for (const Row& row : rows) {
        http.reset();
        reply(u"Data received. Thank you.");  // a first, successful press leaves it behind
        fill(u"n", u"a@b.c", u"hello");
        send();
        ASSERT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");

        http.probe.headersAfterMs = row.probeMs;
        http.feedback = row.server;
        http.elsewhere.body = ack;
        ui.cursorChanges.clear();
        ui.waits.clear();
        send();
        EXPECT_LE(ui.now - pressed, kSendPromiseMs) << row.what;
        EXPECT_EQ(window.text(fp::kLabel10), u"Transmission Error.") << row.what;
        EXPECT_EQ(form.feedback().serverReply(), u"") << row.what;
        EXPECT_EQ(http.records.back().abandoned, row.abandoned) << row.what;
        EXPECT_EQ(http.records.back().request.url, u"http://feedback.test/softfback.php");
        EXPECT_TRUE(window.isEnabled(fp::kSubmit));
        EXPECT_EQ(ui.cursorChanges, (std::vector<bool>{true, false}));
        for (const unsigned ms : ui.waits)
            EXPECT_LE(ms, 1000u) << row.what << ": the window answers";
    }
}

// Both status labels are polite live regions: every outcome is read out as it is shown. The
// press disables "Send", which takes the focus from it; the focus comes back with the button.
// The reply view shows only while it holds a reply.
TEST_F(FeedbackFormTest, EveryStatusIsReadOutAndTheFocusComesBackToSend) {
    const std::u16string ok = u"Success", sending = u"Sending...", error = u"Transmission Error.";
    struct Row {
        const char* press;
        std::function<void()> arrange;
        std::vector<std::u16string> readOut;
        bool replyShown;
        ControlId focusFrom = fp::kSubmit;  // where the focus was at the press
    } rows[] = {
        {"no connection", [&] { http.probe.unreachable = true; }, {u"Fail"}, false},
        {"invalid e-mail", [&] { window.setText(fp::kText1Email, u"a.b"); }, {ok}, false},
        {"request failed", [&] { http.feedback.unreachable = true; }, {ok, sending, error}, false},
        {"reply", [] {}, {ok, sending, u"Data received. Thank you. "}, true},
        {"reply without acknowledgement",
         [&] { reply(u"<h1>Sorry</h1>"); },
         {ok, sending, error},
         true},
        {"request failed after a reply",
         [&] { http.feedback.unreachable = true; },
         {ok, sending, error},
         false},
        {"pressed while the focus is elsewhere",
         [] {},
         {ok, sending, u"Data received. Thank you. "},
         true,
         fp::kText1Name},
    };
    EXPECT_FALSE(window.isVisible(fp::kWebBrowser1)) << "before any press";
    for (const Row& row : rows) {
        http.reset();
        reply(u"<p>Data received. Thank you.</p>");
        fill(u"n", u"a@b.c", u"hello");
        row.arrange();
        names.announced.clear();
        window.setFocus(row.focusFrom);
        form.submit_Click();
        EXPECT_EQ(names.liveSetting.at(fp::kLabel21), 1) << "polite";
        EXPECT_EQ(names.liveSetting.at(fp::kLabel10), 1) << "polite";
        EXPECT_EQ(names.announced, row.readOut) << row.press;
        EXPECT_EQ(window.activeControl(), row.focusFrom) << row.press;
        EXPECT_EQ(window.isVisible(fp::kWebBrowser1), row.replyShown) << row.press;
    }
}

TEST_F(FeedbackFormTest, OtherProductsStartsTheMessageWithItsSubject) {
    window.setText(fp::kText1Feedback, u"typed");
    window.userClick(info_pages::kProductsAsk);
    EXPECT_EQ(window.selectedPage(), kPageFeedback);
    EXPECT_EQ(window.text(fp::kText1Feedback), u"Subject: Other Products\r\ntyped");
    EXPECT_EQ(window.activeControl(), fp::kText1Feedback);
    window.userClick(info_pages::kProductsAsk);
    EXPECT_EQ(window.text(fp::kText1Feedback), u"Subject: Other Products\r\ntyped")
        << "the subject goes in once";
}

}  // namespace
}  // namespace harfpad
