// The feedback round trip as a user makes it: a copy of the program built to post to a loopback
// server of this test run, its Feedback page filled in from outside, "Send", and the replies.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "Fixture.h"

namespace e2e {
namespace {

using harfpad::wine_test::LoopbackHttpServer;
using Reply = LoopbackHttpServer::Reply;
using std::chrono::steady_clock;

const std::string kAck = "Data received. Thank you.";

// The Feedback page's boxes and statuses, as their window identifiers.
constexpr int kEmail = 403, kMessage = 405, kReplyView = 406, kConnection = 408, kSend = 410,
              kTransmission = 412;

class FeedbackScenarios : public HarfpadTest {
  protected:
    void SetUp() override {
        if (options().loopbackExePath.empty())
            GTEST_SKIP() << "no --loopback-exe: the feedback copy of the program was not given";
        HarfpadTest::SetUp();
        server();  // listening before the program's first request
        start(options().loopbackExePath);
        openPage(L"Feedback");
        feedbackPage = page(L"Feedback");
        ASSERT_NE(feedbackPage, nullptr);
    }
    HWND field(int id) const { return findControlById(feedbackPage, id); }
    std::vector<LoopbackHttpServer::Request> posts() const {
        std::vector<LoopbackHttpServer::Request> found;
        for (const auto& request : server().requests()) {
            if (request.method == "POST")
                found.push_back(request);
        }
        return found;
    }
    void fillValidFields() {
        setText(field(kEmail), L"a@b.c");
        setText(field(kMessage), L"hello");
    }
    // "Send", watched until the outcome shows (at most 60 s): the outcome, how long it took, how
    // long the window took at most to answer a message, and how often it did not paint within a
    // second. The click is posted: a message box the program opens instead is answered and fails
    // the test.
    struct Watched {
        std::wstring status;
        steady_clock::duration took{}, slowest{};
        int unpainted = 0;
    };
    Watched send() {
        Watched watched;
        HWND status = field(kTransmission);
        setText(status, L"");
        const auto pressed = steady_clock::now();
        ::PostMessageW(field(kSend), BM_CLICK, 0, 0);
        while (steady_clock::now() - pressed < 60s && openMessageBoxes(*program).empty()) {
            const auto asked = steady_clock::now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            watched.slowest = std::max(watched.slowest, steady_clock::now() - asked);
            ::InvalidateRect(status, nullptr, TRUE);
            watched.unpainted +=
                !waitFor([&] { return !::GetUpdateRect(status, nullptr, FALSE); }, 3000ms);
            watched.status = windowText(status);
            if (!watched.status.empty() && watched.status != L"Sending...")
                break;
            std::this_thread::sleep_for(200ms);
        }
        watched.took = steady_clock::now() - pressed;
        if (const auto box = answerOneMessageBox(0ms))
            ADD_FAILURE() << "message box: " << std::string(box->text.begin(), box->text.end());
        return watched;
    }
    // One server for the whole run: the program's copy posts to this fixed port. The probe's
    // GET is always answered; the post gets the reply the scenario chose.
    static LoopbackHttpServer& server() {
        static LoopbackHttpServer instance(
            [](const LoopbackHttpServer::Request& request) {
                return request.method == "GET" ? Reply(HARFPAD_E2E_PROBE_CONTENT) : reply();
            },
            HARFPAD_E2E_PORT);
        return instance;
    }
    static Reply& reply() {
        static Reply chosen;
        return chosen;
    }

    HWND feedbackPage = nullptr;
};

// What a post carries is the Wine feedback test's; here the reply, as the user sees it.
TEST_F(FeedbackScenarios, TheAcknowledgementIsShownAndTheRepliesScriptKeptInert) {
    fillValidFields();
    reply() = Reply(
        "<html><body><p onclick=\"alert(1)\">Data received. Thank you.</p>"
        "<script>document.title='ran'</script></body></html>");
    const std::size_t before = posts().size();

    EXPECT_EQ(send().status, L"Data received. Thank you. ");
    EXPECT_TRUE(openMessageBoxes(*program).empty());
    EXPECT_EQ(windowText(field(kConnection)), L"Success");
    EXPECT_TRUE(::IsWindowEnabled(field(kSend)));
    EXPECT_EQ(windowText(field(kReplyView)), L"Data received. Thank you.")
        << "the reply's readable text, its script kept inert";
    EXPECT_EQ(windowText(main), L"Checking connection with 127.0.0.1...");
    screenshot(L"feedback-reply");

    ASSERT_EQ(posts().size(), before + 1);
    EXPECT_EQ(posts().back().target, "/softfback.php");
}

// A server that takes the post and never answers: "Send" ends in "Transmission Error." within
// 30 s of the press, and meanwhile the window answers and paints at once (a few seconds allowed
// for a busy machine: a window that waits on the network answers none).
TEST_F(FeedbackScenarios, ASilentServerEndsInATransmissionErrorWithinTheBound) {
    fillValidFields();
    reply() = Reply();
    reply().silent = true;
    const Watched sent = send();
    EXPECT_EQ(sent.status, L"Transmission Error.");
    EXPECT_LE(sent.took, 45s) << "30 s, with room for a busy machine";
    EXPECT_LT(sent.slowest, 3s) << "the window answers messages while it waits";
    EXPECT_EQ(sent.unpainted, 0) << "the window paints while it waits";
    EXPECT_TRUE(::IsWindowEnabled(field(kSend)));
}

TEST_F(FeedbackScenarios, ClosingDuringSendEndsTheProgramAndPostsNothingMore) {
    fillValidFields();
    reply() = Reply();
    reply().silent = true;
    const std::size_t before = posts().size();
    ::PostMessageW(field(kSend), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitFor([&] { return posts().size() == before + 1; }));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program->waitForExit(3000ms).has_value()) << "the indicator is off";
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(posts().size(), before + 1);
}

// No more of a reply is held than the view keeps, and the view's cap counts the reply as it
// came, before its line ends become CR LF. The reply box shows the start of a long reply, and the
// window answers throughout.
TEST_F(FeedbackScenarios, LongRepliesAreCutAsTheyArrive) {
    fillValidFields();
    reply() = Reply(kAck);
    reply().filler = std::uint64_t{300} << 20;  // with its Content-Length
    EXPECT_EQ(send().status, L"Data received. Thank you. ");
    ASSERT_TRUE(program->running());
    const harfpad::win32::UniqueHandle<HANDLE, harfpad::win32::closeHandle> process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, program->pid()));
    PROCESS_MEMORY_COUNTERS memory{sizeof memory};
    ASSERT_TRUE(::GetProcessMemoryInfo(process.get(), &memory, sizeof memory));
    EXPECT_LT(memory.PagefileUsage, std::size_t{200} << 20) << "committed after 300 MiB";

    // The acknowledgement, then more than the view keeps in one paragraph; past the cap only if
    // the CRs that the reply box needs were counted.
    std::string words;
    while (words.size() <= std::size_t{1} << 20) words += " words";  // the view keeps a MiB
    reply() = Reply(std::string(600'000, '\n') + kAck + words);
    const Watched sent = send();
    EXPECT_EQ(sent.status, L"Data received. Thank you. ") << "within the 30 s and a margin";
    EXPECT_LT(sent.slowest, 5s) << "the window answers throughout";
    EXPECT_TRUE(windowText(field(kReplyView)).starts_with(L"Data received. Thank you. words"));
}

}  // namespace
}  // namespace e2e
