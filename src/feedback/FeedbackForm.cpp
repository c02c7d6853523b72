#include "feedback/FeedbackForm.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "feedback/FeedbackPage.h"
#include "feedback/FeedbackValidation.h"
#include "feedback/FormEncoding.h"

namespace harfpad::feedback {

namespace page = feedback_page;

namespace {

// How often a wait looks at the requests; window messages are answered as they come.
constexpr unsigned kPollMs = 25;

// A reply that asks for a user name and password, from the server (401) or a proxy (407).
bool asksForCredentials(int status) {
    return status == 401 || status == 407;
}

// The first units the view keeps, not half a character.
std::u16string keptByTheView(std::u16string text) {
    if (text.size() > HtmlView::kMaxReplyLength) {
        std::size_t keep = HtmlView::kMaxReplyLength;
        if (text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
            --keep;
        text.resize(keep);
    }
    return text;
}

}  // namespace

FeedbackForm::FeedbackForm(IFormWindow& window, IAccessibleNames& names, IUiServices& ui,
                           IHttpClient& http, FeedbackAddresses addresses)
    : window_(window), names_(names), ui_(ui), http_(http), addresses_(std::move(addresses)) {}

void FeedbackForm::load() {
    // The boxes take their names from the labels before them; the view has none.
    names_.setName(page::kWebBrowser1, u"Server reply");
    names_.setLiveRegion(page::kLabel21);
    names_.setLiveRegion(page::kLabel10);
}

void FeedbackForm::setStatus(ControlId label, std::u16string_view text) {
    window_.setText(label, text);
    names_.liveRegionChanged(label);
}

bool FeedbackForm::waitUntil(std::uint64_t deadline, const std::function<bool()>& settled) {
    for (;;) {
        if (settled())
            return true;
        const std::uint64_t now = ui_.tickCount();
        if (now >= deadline)
            return false;
        const auto slice = static_cast<unsigned>(std::min<std::uint64_t>(kPollMs, deadline - now));
        if (!ui_.waitForMessages(slice) || !window_.isLoaded())
            return false;  // the program is ending, or the user closed the window
    }
}

void FeedbackForm::checkConnection(std::uint64_t deadline) {
    window_.setCaption(u"Checking connection with " + hostOf(addresses_.probeUrl) + u"...");
    const auto probe = http_.start({kAppTitle, u"GET", addresses_.probeUrl, u"", "", kProbeFlags});
    // The response's headers are the answer: nothing of its body is read.
    isConnected_ =
        probe &&
        waitUntil(deadline, [&] { return probe->state() != IHttpTransfer::State::Sending; }) &&
        probe->state() != IHttpTransfer::State::Failed;
}

bool FeedbackForm::post(const std::u16string& body, std::uint64_t deadline, std::string& reply) {
    const auto transfer = http_.start({kAppTitle, u"POST", addresses_.feedbackUrl,
                                       u"Content-Type: application/x-www-form-urlencoded\r\n",
                                       toUtf8(body), kPostFlags});
    if (!transfer)
        return false;
    bool received = false;
    const bool settled = waitUntil(deadline, [&] {
        using State = IHttpTransfer::State;
        State state = transfer->state();
        if (state == State::Receiving) {
            if (asksForCredentials(transfer->status()))
                return true;  // no credentials are ever given
            transfer->takeBody(reply, kMaxReplyBytes - reply.size());
            state = transfer->state();
        }
        // A reply longer than the view keeps is cut as it arrives: the rest is never read.
        received =
            state == State::Done || (state == State::Receiving && reply.size() >= kMaxReplyBytes);
        return received || state == State::Failed;
    });
    return settled && received;
}

void FeedbackForm::setWaiting(bool waiting) {
    ui_.setWaitCursor(waiting);
    if (!window_.isLoaded())
        return;
    if (waiting)
        sendHadFocus_ = window_.activeControl() == page::kSubmit;
    window_.setEnabled(page::kSubmit, !waiting);
    // Disabling the focused button took the focus away: it goes back where it was.
    if (!waiting && sendHadFocus_)
        window_.setFocus(page::kSubmit);
}

void FeedbackForm::submit_Click() {
    if (busy_)
        return;  // a press reaching us while a request runs
    busy_ = true;
    send(ui_.tickCount());
    busy_ = false;
}

void FeedbackForm::send(std::uint64_t pressed) {
    // From the press to the outcome the form takes no input, the probe's wait included.
    setWaiting(true);
    checkConnection(pressed + kProbeBoundMs);
    if (!window_.isLoaded()) {
        ui_.setWaitCursor(false);  // the user has left: nothing more is sent or shown
        return;
    }
    if (!isConnected_) {
        setWaiting(false);
        setStatus(page::kLabel21, kConnectionFail);
        ui_.messageBox(kConnectionFailMessage, kAppTitle, kMbOk);
        return;
    }
    setStatus(page::kLabel21, kConnectionSuccess);

    if (const auto message = validationMessage(window_.text(page::kText1Email),
                                               window_.text(page::kText1Feedback))) {
        setWaiting(false);
        ui_.messageBox(*message, kValidationTitle, kMbOk);
        return;
    }

    // The fields are read before any message is handled: a close waiting in the queue takes
    // the boxes with it, and the post must carry what the user typed or nothing.
    const std::u16string body =
        feedbackBody(window_.text(page::kText1Name), window_.text(page::kText1Email),
                     window_.text(page::kText1Feedback));
    setStatus(page::kLabel10, kSending);
    ui_.waitForMessages(0);  // paints "Sending..."
    std::string reply;
    const bool received = window_.isLoaded() && post(body, pressed + kSendBoundMs, reply);
    // What the user typed or clicked meanwhile goes, as a disabled form would have dropped it.
    ui_.waitForMessages(0);
    if (!window_.isLoaded()) {
        ui_.setWaitCursor(false);
        return;  // closed while waiting: the window and the press have gone together
    }
    showReply(received, reply);
    setWaiting(false);
}

void FeedbackForm::showReply(bool received, const std::string& reply) {
    // A request that failed has no reply: keeping the previous one could show its
    // acknowledgement for feedback that never arrived.
    const std::u16string text = received ? keptByTheView(decodeUtf8(reply)) : std::u16string();
    serverReply_ = lfToCrLf(text);
    // The view reads CR LF and a lone CR as LF, as an HTML parser does: the reply with its CRs
    // made LFs reads exactly as `serverReply_` does, and the view's cap counts the reply as it
    // was received.
    std::u16string forTheView = text;
    std::replace(forTheView.begin(), forTheView.end(), u'\r', u'\n');
    view_.setBodyHtml(forTheView);
    window_.setText(page::kWebBrowser1, lfToCrLf(view_.readableText()));
    window_.setVisible(page::kWebBrowser1, !serverReply_.empty());
    const bool acknowledged = view_.bodyHtml().find(kAcknowledgement) != std::u16string::npos;
    setStatus(page::kLabel10, acknowledged ? kReceived : kTransmissionError);
}

}  // namespace harfpad::feedback
