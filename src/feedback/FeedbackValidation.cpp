#include "feedback/FeedbackValidation.h"

namespace harfpad::feedback {

std::optional<std::u16string_view> validationMessage(std::u16string_view email,
                                                     std::u16string_view message) {
    if (email.empty())
        return kEnterEmail;
    if (email.find(u'@') == std::u16string_view::npos ||
        email.find(u'.') == std::u16string_view::npos) {
        return kCorrectEmail;
    }
    if (message.size() < 2)
        return kEnterFeedback;
    return std::nullopt;
}

}  // namespace harfpad::feedback
