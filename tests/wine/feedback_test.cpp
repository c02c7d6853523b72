// "Send" on the real Feedback page, through WinINet and msxml2.xmlhttp, against a loopback
// HTTP server started by the test.
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "feedback/FeedbackPage.h"
#include "feedback/FormEncoding.h"
#include "platform/win32/Handles.h"
#include "support/Win32Form1Platform.h"
#include "support/WineTest.h"

namespace harfpad {
namespace {

namespace fp = feedback_page;
using wine_test::LoopbackHttpServer;

std::u16string widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// COM for the request objects, from before the platform is built until after it has gone.
struct WithCom {
    win32::ComApartment com;
};

class WineFeedbackTest : public ::testing::Test,
                         private WithCom,
                         protected wine_test::Win32Form1Platform {
  protected:
    static void SetUpTestSuite() { initCommonControls(); }
    void TearDown() override { window.close(); }

    // A main window whose probe opens `probeUrl` and whose feedback goes to `feedbackUrl`, by
    // default the test's server; the Feedback page is shown.
    void load(const std::string& probeUrl, std::string feedbackUrl = {}) {
        if (feedbackUrl.empty())
            feedbackUrl = server.url("/softfback.php");
        form = std::make_unique<Form1>(
            platform(nullptr, {widen(feedbackUrl), widen(probeUrl), u"http://127.0.0.1/download"}));
        form->show();
        ASSERT_TRUE(window.isLoaded());
        window.selectPage(kPageFeedback);
        wine_test::pumpMessages(std::chrono::milliseconds(50));
    }
    void type(ControlId id, std::u16string_view text) {
        ::SetWindowTextW(control(id),
                         reinterpret_cast<const wchar_t*>(std::u16string(text).c_str()));
    }
    void send() { click(fp::kSubmit); }
    // The control the user sees at the middle of the reply view's place.
    HWND inFrontAtReplyView() const {
        HWND view = control(fp::kWebBrowser1);
        RECT r;
        ::GetWindowRect(view, &r);
        POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        HWND page = ::GetParent(view);
        ::ScreenToClient(page, &middle);
        return ::ChildWindowFromPointEx(page, middle, CWP_SKIPINVISIBLE);
    }
    std::vector<LoopbackHttpServer::Request> posts() const {
        std::vector<LoopbackHttpServer::Request> found;
        for (const auto& r : server.requests()) {
            if (r.method == "POST")
                found.push_back(r);
        }
        return found;
    }

    std::string reply = "<html><body><p>Data received. Thank you.</p></body></html>";
    LoopbackHttpServer server{[this](const LoopbackHttpServer::Request&) { return reply; }};
    std::unique_ptr<Form1> form;
};

TEST_F(WineFeedbackTest, RequestArrivesAsAFormPostWithTheTypedFields) {
    load(server.url("/"));
    const std::u16string name = u"\u0639\u0644\u064A & Co = 100% + more";
    const std::u16string email = u"ali+test@example.com";
    const std::u16string message = u"first line\r\nsecond: a&b=c\r\n\u0634\u0643\u0631\u0627";
    type(fp::kText1Name, name);
    type(fp::kText1Email, email);
    type(fp::kText1Feedback, message);
    EXPECT_EQ(inFrontAtReplyView(), control(fp::kText1Feedback)) << "no reply yet";
    wine_test::MessageBoxAnswerer boxes;
    send();
    EXPECT_EQ(inFrontAtReplyView(), control(fp::kWebBrowser1));

    EXPECT_TRUE(boxes.seen().empty());
    const auto all = server.requests();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].method, "GET") << "the probe comes first";
    EXPECT_EQ(all[0].target, "/");
    const auto& post = all[1];
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(post.target, "/softfback.php");
    EXPECT_EQ(post.header("Content-Type"),
              std::vector<std::string>{"application/x-www-form-urlencoded"});
    // Everything else is what the component and the connection add by themselves.
    const std::set<std::string> ownHeaders = {
        "host",   "content-length",  "connection",      "user-agent",
        "accept", "accept-language", "accept-encoding", "cache-control",
        "pragma", "content-type"};
    for (const auto& [key, value] : post.headers) {
        std::string lower;
        for (const char c : key)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(ownHeaders.count(lower)) << "unexpected header " << key << ": " << value;
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"name", feedback::toUtf8(name)},
        {"email", feedback::toUtf8(email)},
        {"feedback", feedback::toUtf8(message)},
    };
    EXPECT_EQ(post.formFields(), expected) << post.body;
    EXPECT_EQ(window.text(fp::kLabel21), u"Success");
    EXPECT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");
    EXPECT_TRUE(window.isEnabled(fp::kSubmit));
    EXPECT_EQ(window.text(fp::kWebBrowser1), u"Data received. Thank you.");
}

TEST_F(WineFeedbackTest, ServerDownIsATransmissionError) {
    // The probe answers; the feedback script's port has nothing listening.
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort());
    load(server.url("/"), closed + "/softfback.php");
    type(fp::kText1Email, u"a@b.c");
    type(fp::kText1Feedback, u"hello");
    wine_test::MessageBoxAnswerer boxes;
    send();
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(window.text(fp::kLabel21), u"Success");
    EXPECT_EQ(window.text(fp::kLabel10), u"Transmission Error.");
    EXPECT_TRUE(window.isEnabled(fp::kSubmit));
    EXPECT_EQ(inFrontAtReplyView(), control(fp::kText1Feedback)) << "no reply";
}

TEST_F(WineFeedbackTest, ProbeOfAClosedPortFailsAndSendsNothing) {
    const unsigned short closed = LoopbackHttpServer::closedPort();
    load("http://127.0.0.1:" + std::to_string(closed) + "/");
    type(fp::kText1Email, u"a@b.c");
    type(fp::kText1Feedback, u"hello");
    wine_test::MessageBoxAnswerer boxes;
    send();
    for (int i = 0; i < 100 && boxes.seen().empty(); ++i) ::Sleep(10);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"Connection to the internet fail");
    EXPECT_EQ(boxes.seen()[0].title, L"Harfpad");
    EXPECT_EQ(window.text(fp::kLabel21), u"Fail");
    EXPECT_EQ(window.caption(), u"Checking connection with 127.0.0.1...");
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(window.isEnabled(fp::kSubmit));
}

TEST_F(WineFeedbackTest, TabOrderIsNameEmailMessageSend) {
    load(server.url("/"));
    std::vector<HWND> order;
    HWND page = ::GetParent(control(fp::kText1Name));
    HWND at = control(fp::kText1Name);
    for (int i = 0; i < 4; ++i) {
        order.push_back(at);
        at = ::GetNextDlgTabItem(page, at, FALSE);
    }
    EXPECT_EQ(order, (std::vector<HWND>{control(fp::kText1Name), control(fp::kText1Email),
                                        control(fp::kText1Feedback), control(fp::kSubmit)}));
}

}  // namespace
}  // namespace harfpad
