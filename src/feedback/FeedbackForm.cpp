#include "feedback/FeedbackForm.h"

#include <exception>
#include <utility>

#include "feedback/FeedbackPage.h"
#include "feedback/FeedbackValidation.h"
#include "feedback/FormEncoding.h"

namespace harfpad::feedback {

namespace page = feedback_page;

namespace {

// Runs one step of the request sequence; a step that fails is skipped and the sequence goes on.
template <typename Step>
bool attempt(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

FeedbackForm::FeedbackForm(IFormWindow& window, IUiServices& ui, IInternetApi& internet,
                           IHttpRequestFactory& requests, FeedbackAddresses addresses)
    : window_(window),
      ui_(ui),
      internet_(internet),
      requests_(requests),
      addresses_(std::move(addresses)) {}

void FeedbackForm::checkConnection() {
    const InternetHandle internet = internet_.open(kAppTitle, kInternetOpenTypePreconfig, 0);
    window_.setCaption(u"Checking connection with " + hostOf(addresses_.probeUrl) + u"...");
    if (!internet) {
        // Without a handle nothing was probed: an earlier success says nothing about now.
        isConnected_ = false;
        return;
    }
    const InternetHandle request = internet_.openUrl(internet, addresses_.probeUrl, kProbeFlags);
    isConnected_ = request != 0;
    if (request)
        internet_.close(request);
    internet_.close(internet);
}

void FeedbackForm::submit_Click() {
    if (busy_)
        return;  // a press reaching us from the message pass of a running request
    checkConnection();
    if (!isConnected_) {
        window_.setText(page::kLabel21, kConnectionFail);
        ui_.messageBox(kConnectionFailMessage, kAppTitle, kMbOk);
        return;
    }
    window_.setText(page::kLabel21, kConnectionSuccess);

    if (const auto message = validationMessage(window_.text(page::kText1Email),
                                               window_.text(page::kText1Feedback))) {
        ui_.messageBox(*message, kValidationTitle, kMbOk);
        return;
    }

    std::unique_ptr<IHttpRequest> request;
    attempt([&] { request = requests_.create(kXmlHttpProgId); });
    if (!request) {
        ui_.messageBox(kMsxmlMissing + addresses_.msxmlDownloadUrl, kAppTitle,
                       kMbOk | kMbIconCritical);
        return;
    }

    // The fields are read before any message is processed: a close waiting in the queue takes
    // the boxes with it, and the post must carry what the user typed or nothing.
    std::u16string body;
    attempt([&] {
        body = feedbackBody(window_.text(page::kText1Name), window_.text(page::kText1Email),
                            window_.text(page::kText1Feedback));
    });

    busy_ = true;
    ui_.setWaitCursor(true);
    window_.setEnabled(page::kSubmit, false);
    window_.setText(page::kLabel10, kSending);
    ui_.doEvents();  // paints "Sending..."; "Send" is disabled already
    if (!window_.isLoaded()) {
        // The window was closed meanwhile: the user has left, nothing more is sent or shown.
        ui_.setWaitCursor(false);
        busy_ = false;
        return;
    }

    sendRequest(*request, body);
    ui_.setWaitCursor(false);
    showReply();
    window_.setEnabled(page::kSubmit, true);
    busy_ = false;
}

void FeedbackForm::sendRequest(IHttpRequest& request, const std::u16string& body) {
    attempt(
        [&] { request.open(u"POST", addresses_.feedbackUrl, false, std::nullopt, std::nullopt); });
    attempt(
        [&] { request.setRequestHeader(u"Content-Type", u"application/x-www-form-urlencoded"); });
    const bool sent = attempt([&] { request.send(body); });
    std::u16string reply;
    const bool read = attempt([&] { reply = request.responseText(); });
    // A request that failed has no reply: keeping the previous one could show its
    // acknowledgement for feedback that never arrived.
    serverReply_ = sent && read ? std::move(reply) : std::u16string();
}

void FeedbackForm::showReply() {
    attempt([&] { serverReply_ = lfToCrLf(serverReply_); });
    attempt([&] {
        view_.setBodyHtml(serverReply_);
        window_.setText(page::kWebBrowser1, lfToCrLf(view_.readableText()));
        window_.setVisible(page::kWebBrowser1, !serverReply_.empty());
    });
    bool acknowledged = false;
    attempt(
        [&] { acknowledged = view_.bodyHtml().find(kAcknowledgement) != std::u16string::npos; });
    window_.setText(page::kLabel10, acknowledged ? kReceived : kTransmissionError);
}

}  // namespace harfpad::feedback
