// "Send" on the real Feedback page, through WinINet, against loopback HTTP servers started by
// the test.
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "feedback/FeedbackForm.h"
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

class WineFeedbackTest : public ::testing::Test, protected wine_test::Win32Form1Platform {
  protected:
    static void SetUpTestSuite() { initCommonControls(); }
    void TearDown() override { window.close(); }

    // A main window whose probe opens `probeUrl` and whose feedback goes to `feedbackUrl`, by
    // default the test's server; the Feedback page is shown.
    void load(const std::string& probeUrl, std::string feedbackUrl = {}) {
        if (feedbackUrl.empty())
            feedbackUrl = server.url("/softfback.php");
        form = std::make_unique<Form1>(platform(nullptr, {widen(feedbackUrl), widen(probeUrl)}));
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
    LoopbackHttpServer server{
        [this](const LoopbackHttpServer::Request&) { return LoopbackHttpServer::Reply(reply); }};
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
    // Everything else is what WinINet and the connection add by themselves.
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

// Two presses at once, each with a window and a thread of its own: a reply that trickles one
// byte a second and a probe that is never answered. Each ends within its bound, and both
// windows answer messages meanwhile.
TEST(WineFeedbackBounds, ATricklingReplyAndASilentProbeEndWithinTheirBounds) {
    initCommonControls();
    using Reply = LoopbackHttpServer::Reply;
    LoopbackHttpServer trickling{[](const LoopbackHttpServer::Request& request) {
        Reply reply("Data received. Thank you." + std::string(100, ' '));
        reply.bytesPerSecond = 1;
        return request.method == "GET" ? Reply("ok") : reply;
    }};
    LoopbackHttpServer silent{[](const LoopbackHttpServer::Request&) {
        Reply reply;
        reply.silent = true;
        return reply;
    }};
    struct Press {
        std::string server;
        std::atomic<HWND> window{nullptr};
        std::atomic<bool> done{false};
        std::u16string connection, transmission;
        std::chrono::milliseconds took{0};
    } presses[2];
    presses[0].server = trickling.url("");
    presses[1].server = silent.url("");
    wine_test::MessageBoxAnswerer boxes;
    std::vector<std::thread> threads;
    for (Press& press : presses) {
        threads.emplace_back([&press] {
            wine_test::Win32Form1Platform system;
            Form1 form(system.platform(
                nullptr, {widen(press.server + "/softfback.php"), widen(press.server + "/")}));
            form.show();
            system.window.selectPage(kPageFeedback);
            system.window.setText(fp::kText1Email, u"a@b.c");
            system.window.setText(fp::kText1Feedback, u"hello");
            press.window = system.window.hwnd();
            const auto pressed = std::chrono::steady_clock::now();
            system.click(fp::kSubmit);  // returns with the outcome
            press.took = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - pressed);
            press.connection = system.window.text(fp::kLabel21);
            press.transmission = system.window.text(fp::kLabel10);
            press.done = true;
        });
    }
    int unanswered = 0;
    while (!presses[0].done || !presses[1].done) {
        for (Press& press : presses) {
            DWORD_PTR result = 0;
            if (press.window && !press.done &&
                !::SendMessageTimeoutW(press.window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) &&
                !press.done) {
                ++unanswered;
            }
        }
        ::Sleep(200);
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(unanswered, 0) << "a window took more than a second to answer";
    EXPECT_EQ(presses[0].connection, u"Success");
    EXPECT_EQ(presses[0].transmission, u"Transmission Error.");
    EXPECT_LE(presses[0].took, std::chrono::milliseconds(feedback::kSendBoundMs + 1000));
    EXPECT_EQ(presses[1].connection, u"Fail");
    EXPECT_LE(presses[1].took, std::chrono::milliseconds(feedback::kProbeBoundMs + 1000));
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, L"Connection to the internet fail");
}

}  // namespace
}  // namespace harfpad
