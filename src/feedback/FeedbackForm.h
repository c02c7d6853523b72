// The behaviour of the "Feedback" page: the connectivity probe and the "Send" sequence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "feedback/FeedbackAddresses.h"
#include "feedback/HtmlView.h"
#include "platform/AccessibleNames.h"
#include "platform/HttpApi.h"
#include "platform/Ui.h"
#include "platform/UiServices.h"

namespace harfpad::feedback {

// The application's title: the agent text of the requests and the title of messages that name
// no other.
inline constexpr char16_t kAppTitle[] = u"Harfpad";
inline constexpr char16_t kAcknowledgement[] = u"Data received. Thank you.";

inline constexpr char16_t kConnectionSuccess[] = u"Success";
inline constexpr char16_t kConnectionFail[] = u"Fail";
inline constexpr char16_t kConnectionFailMessage[] = u"Connection to the internet fail";
inline constexpr char16_t kSending[] = u"Sending...";
inline constexpr char16_t kReceived[] = u"Data received. Thank you. ";
inline constexpr char16_t kTransmissionError[] = u"Transmission Error.";

// Neither request asks the user anything or carries cookies. WinINet may sign in to a proxy or
// server with the user's own Windows logon, silently, as it does for the browser; the program
// never gives a name or password, and WinINet shows a sign-in window only when a program asks it
// to (InternetErrorDlg), which this one never does.
inline constexpr std::uint32_t kQuiet = kHttpFlagNoUi | kHttpFlagNoCookies;
// The probe: reload, no cache write, keep the connection.
inline constexpr std::uint32_t kProbeFlags =
    kHttpFlagReload | kHttpFlagNoCacheWrite | kHttpFlagKeepConnection | kQuiet;
// The post goes to the configured address alone: a redirect is not followed, it is the answer.
inline constexpr std::uint32_t kPostFlags =
    kHttpFlagReload | kHttpFlagNoCacheWrite | kHttpFlagNoAutoRedirect | kQuiet;

// "Send" reaches its outcome within this time of the press, whatever the servers do; the probe
// has the first part of it.
inline constexpr std::uint64_t kSendBoundMs = 30'000;
inline constexpr std::uint64_t kProbeBoundMs = 10'000;
// Every UTF-16 unit the view keeps comes from at most three bytes of UTF-8: more of a reply is
// never read.
inline constexpr std::size_t kMaxReplyBytes = 3 * (HtmlView::kMaxReplyLength + 1);
// The reply box shows at most this much of the reply's readable text (more than any real reply
// needs), then a line saying the rest is not shown: a multi-line edit lays out its text on the
// window's thread, in time that grows with the square of a paragraph's length. Wine's took over
// 5 s for a paragraph of 32,768 characters, under a second for 4,096.
inline constexpr std::size_t kMaxShownLength = 4'096;
inline constexpr char16_t kRestNotShown[] = u"(The rest of the reply is not shown.)";

class FeedbackForm {
  public:
    FeedbackForm(IFormWindow& window, IAccessibleNames& names, IUiServices& ui, IHttpClient& http,
                 FeedbackAddresses addresses);

    // Start-up: the two status labels become live regions, so that each outcome is read out.
    void load();

    // "Send": probe, check the fields, post them and show the outcome.
    void submit_Click();

    bool isConnected() const { return isConnected_; }
    const std::u16string& serverReply() const { return serverReply_; }

  private:
    void send(std::uint64_t pressed);
    // Connected only when the probe page answers as Windows' own indicator expects it to.
    void checkConnection(std::uint64_t deadline);
    // The reply's bytes (at most kMaxReplyBytes of them), or false when there is no usable one.
    bool post(const std::u16string& body, std::uint64_t deadline, std::string& reply);
    bool waitUntil(std::uint64_t deadline, const std::function<bool()>& settled);
    void showReply(bool received, const std::string& reply);
    void setWaiting(bool waiting);
    // Shows an outcome in a status label and has it read out.
    void setStatus(ControlId label, std::u16string_view text);

    IFormWindow& window_;
    IAccessibleNames& names_;
    IUiServices& ui_;
    IHttpClient& http_;
    FeedbackAddresses addresses_;
    bool isConnected_ = false;
    std::u16string serverReply_;
    HtmlView view_;
    bool busy_ = false;
    bool sendHadFocus_ = false;  // "Send" had the focus when the press disabled it
};

}  // namespace harfpad::feedback
