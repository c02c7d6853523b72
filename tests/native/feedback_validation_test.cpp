// The field checks of "Send" and the probe host shown in the caption.
#include <gtest/gtest.h>

#include "feedback/FeedbackAddresses.h"
#include "feedback/FeedbackValidation.h"
#include "harfpad/ProgramAddresses.h"

namespace harfpad::feedback {
namespace {

TEST(FeedbackValidation, EmailAndMessageCases) {
    struct Row {
        std::u16string email, message;
        const char16_t* expected;  // nullptr: may be sent
    } rows[] = {
        {u"", u"hello", kEnterEmail},
        {u"", u"", kEnterEmail},  // the e-mail is checked first
        {u" ", u"hello", kCorrectEmail},
        {u"name@example", u"hello", kCorrectEmail},
        {u"name.example.com", u"hello", kCorrectEmail},
        {u"@.", u"hello", nullptr},
        {u".@", u"hello", nullptr},  // order does not matter
        {u"a@b.c", u"x", kEnterFeedback},
        {u"a@b.c", u"", kEnterFeedback},
        {u"a@b.c", u"ok", nullptr},
        {u"a@b.c", u"\r\n", nullptr},           // two characters, even if only a line break
        {u"a\uFF20b.c", u"ok", kCorrectEmail},  // a full-width at sign is not "@"
        {u"a@b\u3002c", u"ok", kCorrectEmail},
        {u"\u0639@\u0645.\u0634", u"\u0634\u0643", nullptr},
    };
    for (const Row& row : rows) {
        const auto message = validationMessage(row.email, row.message);
        if (row.expected) {
            ASSERT_TRUE(message.has_value())
                << "e-mail \"" << std::string(row.email.begin(), row.email.end()) << "\"";
            EXPECT_EQ(*message, std::u16string_view(row.expected));
        } else {
            EXPECT_FALSE(message.has_value());
        }
    }
}

TEST(FeedbackAddresses, HostOfTheProbeUrl) {
    struct Row {
        std::u16string url, host;
    } rows[] = {
        {u"http://www.google.com/", u"www.google.com"},
        {u"http://www.google.com", u"www.google.com"},
        {u"http://127.0.0.1:8080/x?y", u"127.0.0.1"},
        {u"https://user:pw@example.org:443/", u"example.org"},
        {u"http://[::1]:81/", u"[::1]"},
        {u"example.net/path", u"example.net"},
        {u"http://probe.test?q#f", u"probe.test"},  // a query or fragment right after the host
        {u"http://a@b@host.test/", u"host.test"},   // the user part ends at the last "@"
    };
    for (const Row& row : rows) EXPECT_EQ(hostOf(row.url), row.host);
}

TEST(FeedbackAddresses, PlaceholderHostsLieUnderTheReservedDomain) {
    const struct {
        std::u16string url;
        bool placeholder;
    } rows[] = {
        {u"https://feedback.harfpad.invalid/softfback.php", true},
        {u"https://FEEDBACK.INVALID./softfback.php", true},
        {u"http://invalid/", true},
        {u"https://www.zemrak.com/softfback.php", false},
        {u"https://invalid.example.org/softfback.php", false},
        {u"https://example.invalidated/", false},
        {u"https://notinvalid/", false},
        {u"http://127.0.0.1:47813/softfback.php", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(isPlaceholderAddress(row.url), row.placeholder)
            << std::string(row.url.begin(), row.url.end());
}

// The addresses built into harfpad.exe, as the build configures them by default.
TEST(FeedbackAddresses, TheProgramPostsToTheFeedbackScriptOverHttps) {
    const std::u16string feedback = u"" HARFPAD_FEEDBACK_URL;
    EXPECT_TRUE(feedback.starts_with(u"https://")) << "the message travels encrypted";
    EXPECT_TRUE(feedback.ends_with(u"/softfback.php"));
    EXPECT_TRUE(isPlaceholderAddress(feedback)) << "no default sends users' feedback anywhere";
    // The page Windows' own network indicator reads: reachable wherever Windows is online.
    EXPECT_EQ(std::u16string(u"" HARFPAD_PROBE_URL),
              u"http://www.msftconnecttest.com/connecttest.txt");
    EXPECT_EQ(std::u16string(u"" HARFPAD_PROBE_CONTENT), u"Microsoft Connect Test");
}

}  // namespace
}  // namespace harfpad::feedback
