#pragma once

#include "platform/ui.h"

#include <deque>
#include <string>
#include <vector>

namespace pw {

// A Ui that shows nothing: it records every message and answers from queues filled beforehand.
// With an empty queue a message is answered with its first button (OK or Yes), a file dialog or an
// input box with "cancelled".
class RecordingUi : public Ui
{
public:
    struct Message
    {
        std::string caption;
        std::string text;
        UiButtons buttons;
    };

    UiButton message(const std::string &caption, const std::string &text,
                     UiButtons buttons = UiButtons::Ok) override;
    std::optional<std::string> openFileName(const std::string &caption, const std::string &folder,
                                            const std::string &filter) override;
    std::optional<std::string> saveFileName(const std::string &caption, const std::string &proposed,
                                            const std::string &defaultSuffix,
                                            const std::string &filter) override;
    std::optional<std::string> inputText(const std::string &caption, const std::string &prompt,
                                         const std::string &initial) override;

    std::vector<Message> messages;
    std::deque<UiButton> buttonAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> textAnswers;

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>> &answers);
};

} // namespace pw
