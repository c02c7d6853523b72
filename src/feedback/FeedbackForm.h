// The behaviour of the "Feedback" page: the connectivity probe and the "Send" sequence.
#pragma once

#include <string>

#include "feedback/FeedbackAddresses.h"
#include "feedback/HtmlView.h"
#include "platform/HttpRequestApi.h"
#include "platform/InternetApi.h"
#include "platform/Ui.h"
#include "platform/UiServices.h"

namespace harfpad::feedback {

// The application's title: the probe's agent text and the title of messages that name no other.
inline constexpr char16_t kAppTitle[] = u"Harfpad";
inline constexpr char16_t kXmlHttpProgId[] = u"msxml2.xmlhttp";
inline constexpr char16_t kAcknowledgement[] = u"Data received. Thank you.";

inline constexpr char16_t kConnectionSuccess[] = u"Success";
inline constexpr char16_t kConnectionFail[] = u"Fail";
inline constexpr char16_t kConnectionFailMessage[] = u"Connection to the internet fail";
inline constexpr char16_t kSending[] = u"Sending...";
inline constexpr char16_t kReceived[] = u"Data received. Thank you. ";
inline constexpr char16_t kTransmissionError[] = u"Transmission Error.";
inline constexpr char16_t kMsxmlMissing[] =
    u"Msxml 3.0 is not installed. You may download it from ";

// InternetOpenUrlA flags of the probe: reload, no cache write, keep the connection.
inline constexpr std::uint32_t kProbeFlags =
    kInternetFlagReload | kInternetFlagNoCacheWrite | kInternetFlagKeepConnection;

class FeedbackForm {
  public:
    FeedbackForm(IFormWindow& window, IUiServices& ui, IInternetApi& internet,
                 IHttpRequestFactory& requests, FeedbackAddresses addresses);

    // "Send": probe, check the fields, post them and show the outcome.
    void submit_Click();

    bool isConnected() const { return isConnected_; }
    const std::u16string& serverReply() const { return serverReply_; }

  private:
    void checkConnection();
    void sendRequest(IHttpRequest& request, const std::u16string& body);
    void showReply();

    IFormWindow& window_;
    IUiServices& ui_;
    IInternetApi& internet_;
    IHttpRequestFactory& requests_;
    FeedbackAddresses addresses_;
    bool isConnected_ = false;
    std::u16string serverReply_;
    HtmlView view_;
    bool busy_ = false;
};

}  // namespace harfpad::feedback
