// "Send" on the Feedback page, end to end through the main window, against fakes.
#include <gtest/gtest.h>

#include <functional>

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "app/InfoPages.h"
#include "fakes/FakeForm1Platform.h"
#include "fakes/FakeFormWindow.h"
#include "fakes/FakeKeystrokeSender.h"
#include "fakes/FakeHttpRequest.h"
#include "fakes/FakeInternet.h"
#include "fakes/FakeKeyboardLayout.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeUiServices.h"
#include "feedback/FeedbackPage.h"

namespace harfpad {
namespace {

namespace fp = feedback_page;

class FeedbackFormTest : public ::testing::Test, protected fakes::FakeForm1Platform {
  protected:
    void SetUp() override { form.show(); }
    void fill(std::u16string_view name, std::u16string_view email, std::u16string_view message) {
        window.setText(fp::kText1Name, name);
        window.setText(fp::kText1Email, email);
        window.setText(fp::kText1Feedback, message);
    }
    void send() { window.userClick(fp::kSubmit); }

    feedback::FeedbackAddresses addresses{u"http://feedback.test/softfback.php",
                                          u"http://probe.test/", u"http://download.test/"};
    Form1 form{platform(nullptr, addresses)};
};

TEST_F(FeedbackFormTest, ProbeOpensThenClosesBothHandles) {
    fill(u"n", u"a@b.c", u"hello");
    send();
    ASSERT_EQ(internet.calls.size(), 4u);
    EXPECT_EQ(internet.calls[0].what, "open");
    EXPECT_EQ(internet.calls[0].text, u"Harfpad");
    EXPECT_EQ(internet.calls[0].accessType, 0u);
    EXPECT_EQ(internet.calls[0].flags, 0u);
    EXPECT_EQ(internet.calls[1].what, "openUrl");
    EXPECT_EQ(internet.calls[1].text, u"http://probe.test/");
    EXPECT_EQ(internet.calls[1].flags, 0x84400000u);
    EXPECT_EQ(internet.calls[2].what, "close");
    EXPECT_EQ(internet.calls[3].what, "close");
    // openUrl records the internet handle it was given: the request handle goes first.
    EXPECT_NE(internet.calls[2].handle, internet.calls[1].handle);
    EXPECT_EQ(internet.calls[3].handle, internet.calls[1].handle) << "internet handle last";
    EXPECT_TRUE(internet.openHandles.empty());
    EXPECT_EQ(window.caption(), u"Checking connection with probe.test...");
    EXPECT_EQ(window.text(fp::kLabel21), u"Success");
}

TEST_F(FeedbackFormTest, NoConnectionShowsFailAndSendsNothing) {
    for (const bool openFails : {false, true}) {
        internet.openFails = openFails;
        internet.urlFails = !openFails;
        fill(u"n", u"a@b.c", u"hello");
        ui.boxes.clear();
        send();
        EXPECT_EQ(window.text(fp::kLabel21), u"Fail");
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, u"Connection to the internet fail");
        EXPECT_EQ(ui.boxes[0].title, u"Harfpad");
        EXPECT_EQ(ui.boxes[0].style, 0u);
        EXPECT_TRUE(requests.createdFor.empty());
        EXPECT_TRUE(window.isEnabled(fp::kSubmit));
        EXPECT_EQ(window.caption(), u"Checking connection with probe.test...");
        EXPECT_TRUE(internet.openHandles.empty());
    }
}

TEST_F(FeedbackFormTest, AFailedOpenAfterASuccessIsNoConnection) {
    fill(u"n", u"a@b.c", u"hello");
    send();
    ASSERT_TRUE(form.feedback().isConnected());
    internet.openFails = true;
    send();
    EXPECT_FALSE(form.feedback().isConnected());
    EXPECT_EQ(window.text(fp::kLabel21), u"Fail");
    EXPECT_EQ(requests.createdFor.size(), 1u) << "only the first press sent anything";
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
        EXPECT_TRUE(requests.createdFor.empty());
        EXPECT_EQ(window.text(fp::kLabel10), u"");
    }
}

TEST_F(FeedbackFormTest, MissingComponentShowsWhereToGetIt) {
    requests.missing = true;
    fill(u"n", u"a@b.c", u"hello");
    send();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              u"Msxml 3.0 is not installed. You may download it from http://download.test/");
    EXPECT_EQ(ui.boxes[0].title, u"Harfpad");
    EXPECT_EQ(ui.boxes[0].style, 16u);
    EXPECT_EQ(requests.createdFor, std::vector<std::u16string>{u"msxml2.xmlhttp"});
    EXPECT_EQ(window.text(fp::kLabel21), u"Success");
    EXPECT_EQ(window.text(fp::kLabel10), u"");
    EXPECT_TRUE(window.isEnabled(fp::kSubmit));
    EXPECT_TRUE(ui.cursorChanges.empty());
}

TEST_F(FeedbackFormTest, RequestIsAPostWithOneHeaderAndTheEncodedBody) {
    requests.reply = u"<p>Data received. Thank you.</p>";
    bool disabledDuringPass = false;
    std::u16string statusDuringPass;
    ui.onDoEvents = [&] {
        disabledDuringPass = !window.isEnabled(fp::kSubmit);
        statusDuringPass = window.text(fp::kLabel10);
        EXPECT_TRUE(requests.calls.empty()) << "the pass comes before the request";
    };
    fill(u"", u"a@b.c", u"one & two\r\n100%");
    send();
    EXPECT_EQ(ui.doEventsCalls, 1);
    EXPECT_TRUE(disabledDuringPass);
    EXPECT_EQ(statusDuringPass, u"Sending...");
    EXPECT_EQ(requests.calls,
              (std::vector<std::string>{"open", "setRequestHeader", "send", "responseText"}));
    EXPECT_EQ(requests.method, u"POST");
    EXPECT_EQ(requests.url, u"http://feedback.test/softfback.php");
    EXPECT_EQ(requests.async, false);
    EXPECT_FALSE(requests.userGiven);
    EXPECT_FALSE(requests.passwordGiven);
    EXPECT_EQ(requests.headers, (std::vector<std::pair<std::u16string, std::u16string>>{
                                    {u"Content-Type", u"application/x-www-form-urlencoded"}}));
    EXPECT_EQ(requests.body, u"name=&email=a%40b.c&feedback=one+%26+two%0D%0A100%25");
    EXPECT_EQ(ui.cursorChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");
    EXPECT_TRUE(window.isEnabled(fp::kSubmit));
    EXPECT_EQ(window.text(fp::kWebBrowser1), u"Data received. Thank you.");
}

// A close waiting in the queue runs in the message pass: the program ends and posts nothing,
// neither the typed fields nor the emptied boxes of a window that has gone.
TEST_F(FeedbackFormTest, ClosingDuringTheMessagePassEndsWithoutPosting) {
    fill(u"name", u"a@b.c", u"hello");
    ui.onDoEvents = [&] { window.userClose(); };
    send();
    EXPECT_TRUE(ui.ended);
    EXPECT_FALSE(window.isLoaded());
    EXPECT_TRUE(requests.calls.empty());
    EXPECT_EQ(ui.cursorChanges, (std::vector<bool>{true, false})) << "the pointer comes back";
}

// A second press that reaches the program during the message pass starts nothing of its own.
TEST_F(FeedbackFormTest, APressDuringTheMessagePassIsIgnored) {
    requests.reply = u"Data received. Thank you.";
    fill(u"name", u"a@b.c", u"hello");
    ui.onDoEvents = [&] { form.submit_Click(); };
    send();
    EXPECT_EQ(requests.createdFor.size(), 1u);
    EXPECT_EQ(requests.calls,
              (std::vector<std::string>{"open", "setRequestHeader", "send", "responseText"}));
    EXPECT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");
}

TEST_F(FeedbackFormTest, OutcomeIsDecidedByTheParsedReply) {
    struct Row {
        const char* what;
        std::u16string reply;
        std::u16string status;
    } rows[] = {
        {"acknowledged", u"<html><body>Data received. Thank you.</body></html>",
         u"Data received. Thank you. "},
        {"inside other text", u"OK: Data received. Thank you. Bye", u"Data received. Thank you. "},
        {"other letter case", u"Data Received. Thank You.", u"Transmission Error."},
        {"upper case", u"DATA RECEIVED. THANK YOU.", u"Transmission Error."},
        {"split by a tag", u"Data received.<br>Thank you.", u"Transmission Error."},
        {"only after parsing", u"Data&#32;received. Thank&nbsp;you.", u"Transmission Error."},
        {"spelled with a reference", u"Data received&#46; Thank you&period",
         u"Transmission Error."},
        {"made by references", u"Data&#x20;received. Thank you.", u"Data received. Thank you. "},
        {"inside script", u"<script>'Data received. Thank you.'</script>",
         u"Data received. Thank you. "},
        {"empty", u"", u"Transmission Error."},
        {"an error page", u"<h1>500 Internal Server Error</h1>", u"Transmission Error."},
    };
    for (const Row& row : rows) {
        requests.reply = row.reply;
        fill(u"n", u"a@b.c", u"hello");
        send();
        EXPECT_EQ(window.text(fp::kLabel10), row.status) << row.what;
        EXPECT_TRUE(window.isEnabled(fp::kSubmit)) << row.what;
    }
}

TEST_F(FeedbackFormTest, ReplyLineEndsBecomeCrLf) {
    requests.reply = u"<p>a</p>\n<p>b</p>\r\n";
    fill(u"n", u"a@b.c", u"hello");
    send();
    EXPECT_EQ(form.feedback().serverReply(), u"<p>a</p>\r\n<p>b</p>\r\r\n");
    EXPECT_EQ(window.text(fp::kWebBrowser1), u"a\r\nb");
}

TEST_F(FeedbackFormTest, FailingStepsAreSkippedAndNeverReportSuccess) {
    struct Row {
        std::set<std::string> failing;
        std::vector<std::string> calls;
    } rows[] = {
        {{"open"}, {"open", "setRequestHeader", "send", "responseText"}},
        {{"setRequestHeader"}, {"open", "setRequestHeader", "send", "responseText"}},
        {{"send"}, {"open", "setRequestHeader", "send", "responseText"}},
        {{"responseText"}, {"open", "setRequestHeader", "send", "responseText"}},
        {{"open", "setRequestHeader", "send", "responseText"},
         {"open", "setRequestHeader", "send", "responseText"}},
    };
    for (const Row& row : rows) {
        // A first, successful press leaves an acknowledgement behind.
        requests.failing.clear();
        requests.reply = u"Data received. Thank you.";
        fill(u"n", u"a@b.c", u"hello");
        send();
        ASSERT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");

        requests.calls.clear();
        requests.failing = row.failing;
        ui.cursorChanges.clear();
        send();
        EXPECT_EQ(requests.calls, row.calls);
        const bool replyUsable = !row.failing.count("send") && !row.failing.count("responseText");
        EXPECT_EQ(window.text(fp::kLabel10),
                  replyUsable ? u"Data received. Thank you. " : u"Transmission Error.")
            << *row.failing.begin();
        if (!replyUsable) {
            EXPECT_EQ(form.feedback().serverReply(), u"");
        }
        EXPECT_TRUE(window.isEnabled(fp::kSubmit));
        EXPECT_EQ(ui.cursorChanges, (std::vector<bool>{true, false}));
    }
}

TEST_F(FeedbackFormTest, ReplyViewIsShownOnlyWhileItHoldsAReply) {
    struct Row {
        const char* press;
        std::function<void()> arrange;
        bool shown;
    } rows[] = {
        {"no connection", [&] { internet.urlFails = true; }, false},
        {"invalid e-mail", [&] { window.setText(fp::kText1Email, u"a.b"); }, false},
        {"request failed", [&] { requests.failing = {"send"}; }, false},
        {"reply", [] {}, true},
        {"reply without acknowledgement", [&] { requests.reply = u"<h1>Sorry</h1>"; }, true},
        {"request failed after a reply", [&] { requests.failing = {"responseText"}; }, false},
    };
    EXPECT_FALSE(window.isVisible(fp::kWebBrowser1)) << "before any press";
    for (const Row& row : rows) {
        internet.urlFails = false;
        requests.failing.clear();
        requests.reply = u"<p>Data received. Thank you.</p>";
        fill(u"n", u"a@b.c", u"hello");
        row.arrange();
        ui.boxes.clear();
        send();
        EXPECT_EQ(window.isVisible(fp::kWebBrowser1), row.shown) << row.press;
    }
}

TEST_F(FeedbackFormTest, FieldsAreKeptAfterSending) {
    requests.reply = u"Data received. Thank you.";
    fill(u"Ali", u"a@b.c", u"hello");
    send();
    EXPECT_EQ(window.text(fp::kText1Name), u"Ali");
    EXPECT_EQ(window.text(fp::kText1Email), u"a@b.c");
    EXPECT_EQ(window.text(fp::kText1Feedback), u"hello");
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
