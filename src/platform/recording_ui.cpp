#include "platform/recording_ui.h"

namespace pw {

UiButton RecordingUi::message(const std::string &caption, const std::string &text, UiButtons buttons)
{
    messages.push_back({caption, text, buttons});
    if (!buttonAnswers.empty()) {
        UiButton answer = buttonAnswers.front();
        buttonAnswers.pop_front();
        return answer;
    }
    switch (buttons) {
    case UiButtons::YesNo:
    case UiButtons::YesNoCancel:
        return UiButton::Yes;
    case UiButtons::SaveDiscardCancel:
        return UiButton::Save;
    default:
        return UiButton::Ok;
    }
}

std::optional<std::string> RecordingUi::next(std::deque<std::optional<std::string>> &answers)
{
    if (answers.empty())
        return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> RecordingUi::openFileName(const std::string &, const std::string &,
                                                     const std::string &)
{
    return next(fileAnswers);
}

std::optional<std::string> RecordingUi::saveFileName(const std::string &, const std::string &,
                                                     const std::string &, const std::string &)
{
    return next(fileAnswers);
}

std::optional<std::string> RecordingUi::inputText(const std::string &, const std::string &,
                                                  const std::string &)
{
    return next(textAnswers);
}

} // namespace pw
