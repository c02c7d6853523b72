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

// An answer that is not the feedback script's: a redirect, which the post never follows, or a
// request for a user name and password, from the server (401) or a proxy (407), that the user's
// own logon did not satisfy.
bool notTheScriptsAnswer(int status) {
    return (status >= 300 && status < 400) || status == 401 || status == 407;
}

// At most the first `max` units of `text`, not half a character.
std::u16string firstUnits(std::u16string text, std::size_t max) {
    if (text.size() > max) {
        std::size_t keep = max;
        if (text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
            --keep;
        text.resize(keep);
    }
    return text;
}

// What the reply box shows of the reply's readable text (lines ending in CR LF): its start, and
// a line saying that there is more.
std::u16string shownPart(std::u16string text) {
    if (text.size() <= kMaxShownLength)
        return text;
    text = firstUnits(std::move(text), kMaxShownLength);
    if (text.back() == u'\r')
        text.pop_back();  // not half a line end
    return text + u"\r\n" + kRestNotShown;
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
    // Status 200 and exactly the known text, as Windows' own indicator reads that page: a sign-in
    // page, an error page or a 407 is no way out. No more is read than could match.
    using State = IHttpTransfer::State;
    const std::string expected = toUtf8(addresses_.probeContent);
    std::string page;
    const bool settled =
        probe && waitUntil(deadline, [&] {
            if (probe->state() == State::Receiving) {
                if (probe->status() != 200)
                    return true;
                probe->takeBody(page, expected.size() + 1 - page.size());
            }
            const State state = probe->state();
            return state == State::Done || state == State::Failed || page.size() > expected.size();
        });
    isConnected_ =
        settled && probe->state() == State::Done && probe->status() == 200 && page == expected;
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
            if (notTheScriptsAnswer(transfer->status()))
                return true;
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
    // acknowledgement for feedback that never arrived. The view keeps the reply's first units.
    const std::u16string text =
        received ? firstUnits(decodeUtf8(reply), HtmlView::kMaxReplyLength) : std::u16string();
    serverReply_ = lfToCrLf(text);
    // The view reads CR LF and a lone CR as LF, as an HTML parser does: the reply with its CRs
    // made LFs reads exactly as `serverReply_` does, and the view's cap counts the reply as it
    // was received.
    std::u16string forTheView = text;
    std::replace(forTheView.begin(), forTheView.end(), u'\r', u'\n');
    view_.setBodyHtml(forTheView);
    window_.setText(page::kWebBrowser1, shownPart(lfToCrLf(view_.readableText())));
    window_.setVisible(page::kWebBrowser1, !serverReply_.empty());
    const bool acknowledged = view_.bodyHtml().find(kAcknowledgement) != std::u16string::npos;
    setStatus(page::kLabel10, acknowledged ? kReceived : kTransmissionError);
}

}  // namespace harfpad::feedback
