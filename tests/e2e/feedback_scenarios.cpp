// The feedback round trip as a user makes it: a copy of the program built to post to a loopback
// server of this test run, its Feedback page filled in from outside, "Send", and the replies.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "Fixture.h"

namespace e2e {
namespace {

using harfpad::wine_test::LoopbackHttpServer;

// The Feedback page's boxes and statuses, as their window identifiers.
constexpr int kName = 401, kEmail = 403, kMessage = 405, kReplyView = 406, kConnection = 408,
              kSend = 410, kTransmission = 412;

std::string utf8(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
    return out;
}

class FeedbackScenarios : public HarfpadTest {
  protected:
    void SetUp() override {
        if (options().loopbackExePath.empty())
            GTEST_SKIP() << "no --loopback-exe: the feedback copy of the program was not given";
        HarfpadTest::SetUp();
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
    // "Send", then the transmission status once the program has settled on one. The click is
    // posted: a message box the program opens instead is answered and fails the test.
    std::wstring sendAndWait() {
        const std::wstring before = windowText(field(kTransmission));
        ::PostMessageW(field(kSend), BM_CLICK, 0, 0);
        std::wstring status;
        waitFor(
            [&] {
                status = windowText(field(kTransmission));
                return (status != before && status != L"Sending...") ||
                       !openMessageBoxes(*program).empty();
            },
            15000ms);
        if (const auto box = answerOneMessageBox(0ms))
            ADD_FAILURE() << "message box: " << utf8(box->text);
        return status;
    }
    // One server for the whole run: the program's copy posts to this fixed port.
    static LoopbackHttpServer& server() {
        static LoopbackHttpServer instance(
            [](const LoopbackHttpServer::Request&) { return reply(); }, HARFPAD_E2E_PORT);
        return instance;
    }
    static std::string& reply() {
        static std::string text;
        return text;
    }

    HWND feedbackPage = nullptr;
};

TEST_F(FeedbackScenarios, TypedFieldsArriveAsAFormPostAndTheAcknowledgementIsShown) {
    const std::wstring name = L"\u0639\u0644\u064A & Co = 100% + more";
    const std::wstring email = L"ali+test@example.com";
    const std::wstring message = L"first line\r\nsecond: a&b=c\r\n\u0634\u0643\u0631\u0627";
    setText(field(kName), name);
    setText(field(kEmail), email);
    setText(field(kMessage), message);
    reply() =
        "<html><body><p onclick=\"alert(1)\">Data received. Thank you.</p>"
        "<script>document.title='ran'</script></body></html>";
    const std::size_t before = posts().size();

    EXPECT_EQ(sendAndWait(), L"Data received. Thank you. ");
    EXPECT_TRUE(openMessageBoxes(*program).empty());
    EXPECT_EQ(windowText(field(kConnection)), L"Success");
    EXPECT_TRUE(::IsWindowEnabled(field(kSend)));
    EXPECT_EQ(windowText(field(kReplyView)), L"Data received. Thank you.")
        << "the reply's readable text, its script kept inert";
    EXPECT_EQ(windowText(main), L"Checking connection with 127.0.0.1...");
    screenshot(L"feedback-reply");

    const auto sent = posts();
    ASSERT_EQ(sent.size(), before + 1);
    EXPECT_EQ(sent.back().target, "/softfback.php");
    EXPECT_EQ(sent.back().header("Content-Type"),
              std::vector<std::string>{"application/x-www-form-urlencoded"});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"name", utf8(name)}, {"email", utf8(email)}, {"feedback", utf8(message)}};
    EXPECT_EQ(sent.back().formFields(), expected) << sent.back().body;
}

}  // namespace
}  // namespace e2e
