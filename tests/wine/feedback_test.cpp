// "Send" on the real Feedback page, through WinINet, against loopback HTTP servers started by
// the test.
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
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

class WineFeedbackTest : public wine_test::Form1Test {
  protected:
    // A main window whose probe opens `probeUrl` and whose feedback goes to `feedbackUrl`, by
    // default the test's server; the Feedback page is shown.
    void load(const std::string& probeUrl, std::string feedbackUrl = {}) {
        if (feedbackUrl.empty())
            feedbackUrl = server.url("/softfback.php");
        form = std::make_unique<Form1>(
            platform(nullptr, {widen(feedbackUrl), widen(probeUrl), u"Microsoft Connect Test"}));
        show(*form);
        window.selectPage(kPageFeedback);
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

    std::string probePage = "Microsoft Connect Test";
    std::function<void()> whileProbing;  // runs before the probe is answered
    std::string reply = "<html><body><p>Data received. Thank you.</p></body></html>";
    unsigned bytesPerSecond = 0;  // of the reply to the post
    int postStatus = 0;           // 0: 200; a 3xx redirects to another page of the server
    LoopbackHttpServer server{[this](const LoopbackHttpServer::Request& request) {
        if (request.method == "GET") {
            if (whileProbing)
                whileProbing();
            return LoopbackHttpServer::Reply(probePage);
        }
        LoopbackHttpServer::Reply answer(reply);
        answer.bytesPerSecond = bytesPerSecond;
        if (postStatus != 0 && request.target == "/softfback.php") {
            answer.status = postStatus;
            answer.location = postStatus / 100 == 3 ? server.url("/elsewhere.php") : "";
        }
        return answer;
    }};
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
    // Each box's label right before it, where screen readers take the box's name from.
    for (const auto& [box, label] : {std::pair{fp::kText1Name, fp::kLabel3Name},
                                     {fp::kText1Email, fp::kLabel3Email},
                                     {fp::kText1Feedback, fp::kLabel3Feedback}})
        EXPECT_EQ(::GetWindow(control(box), GW_HWNDPREV), control(label)) << box;
    // Every status raises EVENT_OBJECT_LIVEREGIONCHANGED. Under Wine WinEvents reach only this
    // process and no reader hears them, so a hook here is what can be shown.
    static std::vector<HWND> changed;
    changed.clear();
    const HWINEVENTHOOK hook = ::SetWinEventHook(
        EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) { changed.push_back(hwnd); },
        ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    ::SetFocus(control(fp::kSubmit));
    bool sendEnabledWhileProbing = true;
    whileProbing = [&] { sendEnabledWhileProbing = ::IsWindowEnabled(control(fp::kSubmit)); };
    wine_test::MessageBoxAnswerer boxes;
    send();
    EXPECT_FALSE(sendEnabledWhileProbing) << "no second press while the request runs";
    wine_test::pumpMessages(std::chrono::milliseconds(50));
    ::UnhookWinEvent(hook);
    EXPECT_EQ(changed, (std::vector<HWND>{control(fp::kLabel21), control(fp::kLabel10),
                                          control(fp::kLabel10)}));
    EXPECT_EQ(::GetFocus(), control(fp::kSubmit)) << "the focus is back on \"Send\"";
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
    std::size_t known = 0;
    for (const char* name :
         {"Host", "Content-Length", "Connection", "User-Agent", "Accept", "Accept-Language",
          "Accept-Encoding", "Cache-Control", "Pragma", "Content-Type"})
        known += post.header(name).size();
    EXPECT_EQ(known, post.headers.size()) << "a header of our own beside Content-Type";
    // The body the native tests hold to Python's form decoder, made of the texts typed here.
    EXPECT_EQ(post.body, feedback::toUtf8(feedback::feedbackBody(name, email, message)));
    EXPECT_EQ(window.text(fp::kLabel21), u"Success");
    EXPECT_EQ(window.text(fp::kLabel10), u"Data received. Thank you. ");
    EXPECT_TRUE(window.isEnabled(fp::kSubmit));
    EXPECT_EQ(window.text(fp::kWebBrowser1), u"Data received. Thank you.");
}

// Each step that fails ends the press as its own, and a message box belongs to the main window,
// which takes no input under it, though another window was brought to the front during the
// probe. A redirected post is not followed: one post, to the configured address. A server or
// proxy asking for a password gets none (WinINet under Wine shows no sign-in window either way).
TEST_F(WineFeedbackTest, EachFailingStepEndsThePressAsItsOwn) {
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort());
    const std::wstring noConnection = L"Connection to the internet fail";
    std::string probeUrl, feedbackUrl;
    std::u16string email;
    struct Row {
        const char* what;
        std::function<void()> arrange;
        std::u16string connection, transmission;
        std::wstring box;
        std::size_t posts;
    } rows[] = {
        {"probe port closed", [&] { probeUrl = closed + "/"; }, u"Fail", u"", noConnection, 0},
        {"a sign-in page", [&] { probePage = "<h1>Sign in</h1>"; }, u"Fail", u"", noConnection, 0},
        {"no e-mail", [&] { email.clear(); }, u"Success", u"", L"Please enter your email", 0},
        {"post port closed", [&] { feedbackUrl = closed + "/softfback.php"; }, u"Success",
         u"Transmission Error.", L"", 0},
        {"a 307", [&] { postStatus = 307; }, u"Success", u"Transmission Error.", L"", 1},
        {"a 308", [&] { postStatus = 308; }, u"Success", u"Transmission Error.", L"", 1},
        {"a 401", [&] { postStatus = 401; }, u"Success", u"Transmission Error.", L"", 1},
        {"a 407", [&] { postStatus = 407; }, u"Success", u"Transmission Error.", L"", 1},
    };
    reply = "Data received. Thank you.";  // from the redirect too
    const HWND other = ::CreateWindowExW(0, L"STATIC", L"another window", WS_POPUP | WS_VISIBLE, 0,
                                         0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    whileProbing = [&] { EXPECT_TRUE(::SetForegroundWindow(other)); };
    for (const Row& row : rows) {
        window.close();  // the window of the row before
        probeUrl = server.url("/");
        feedbackUrl.clear();
        probePage = "Microsoft Connect Test";
        email = u"a@b.c";
        postStatus = 0;
        row.arrange();
        load(probeUrl, feedbackUrl);
        type(fp::kText1Email, email);
        type(fp::kText1Feedback, u"hello");
        const std::size_t before = server.requests().size();
        wine_test::MessageBoxAnswerer boxes;
        send();
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), row.box.empty() ? 0u : 1u) << row.what;
        for (const auto& box : seen) {
            EXPECT_EQ(box.text, row.box);
            EXPECT_EQ(box.owner, window.hwnd()) << row.what;
            EXPECT_FALSE(box.ownerEnabled) << row.what;
        }
        EXPECT_EQ(window.text(fp::kLabel21), row.connection) << row.what;
        EXPECT_EQ(window.text(fp::kLabel10), row.transmission) << row.what;
        EXPECT_TRUE(window.isEnabled(fp::kSubmit));
        EXPECT_EQ(inFrontAtReplyView(), control(fp::kText1Feedback)) << "no reply";
        std::vector<std::string> posted;
        const auto all = server.requests();
        for (auto request = all.begin() + before; request != all.end(); ++request)
            if (request->method == "POST")
                posted.push_back(request->target);
        EXPECT_EQ(posted, std::vector<std::string>(row.posts, "/softfback.php")) << row.what;
    }
    whileProbing = nullptr;
    ::DestroyWindow(other);
}

// A reply that trickles one byte a second ends within the bound of the press, and the window
// answers messages meanwhile. (A silent server is the end-to-end test's; a silent probe ends as
// a silent post does, at its own bound.)
TEST_F(WineFeedbackTest, ATricklingReplyEndsWithinTheBoundAndTheWindowAnswers) {
    reply = "Data received. Thank you." + std::string(100, ' ');
    bytesPerSecond = 1;
    load(server.url("/"));
    type(fp::kText1Email, u"a@b.c");
    type(fp::kText1Feedback, u"hello");
    wine_test::MessageBoxAnswerer boxes;
    std::atomic<bool> done = false;
    int unanswered = 0;
    std::thread asking([&] {
        for (DWORD_PTR result = 0; !done; ::Sleep(200))
            unanswered +=
                !::SendMessageTimeoutW(window.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result) &&
                !done;
    });
    const auto pressed = std::chrono::steady_clock::now();
    send();  // returns with the outcome
    const auto took = std::chrono::steady_clock::now() - pressed;
    done = true;
    asking.join();
    EXPECT_EQ(unanswered, 0) << "the window took seconds to answer";
    EXPECT_EQ(window.text(fp::kLabel10), u"Transmission Error.");
    // 30 s from the press, with room for a busy machine.
    EXPECT_LE(took, std::chrono::seconds(30 + 15));
    EXPECT_TRUE(boxes.seen().empty());
}

}  // namespace
}  // namespace harfpad
