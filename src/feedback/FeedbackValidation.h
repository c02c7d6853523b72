// The checks "Send" makes on the fields before anything is sent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace harfpad::feedback {

inline constexpr char16_t kValidationTitle[] = u"Zemrak Software";
inline constexpr char16_t kEnterEmail[] = u"Please enter your email";
inline constexpr char16_t kCorrectEmail[] = u"Please correct your email";
inline constexpr char16_t kEnterFeedback[] = u"Please enter the feedback";

// The message to show, or nothing when the fields may be sent. The name is not checked.
// "Characters" of the message are UTF-16 units, as the text box counts them.
std::optional<std::u16string_view> validationMessage(std::u16string_view email,
                                                     std::u16string_view message);

}  // namespace harfpad::feedback
