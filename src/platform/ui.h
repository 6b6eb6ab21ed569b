#pragma once

#include <optional>
#include <string>

namespace pw {

// The buttons a message box may offer; message() returns the one pressed.
enum class UiButton { Ok, Cancel, Yes, No, Save, Discard };

enum class UiButtons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };

// Everything that asks the user something or tells them something goes through here, so that the
// headless tools and the tests can answer and record instead of showing windows.
class Ui
{
public:
    virtual ~Ui() = default;

    virtual UiButton message(const std::string &caption, const std::string &text,
                             UiButtons buttons = UiButtons::Ok)
        = 0;

    // An OK/Cancel question; true when the user accepts.
    bool confirm(const std::string &caption, const std::string &text)
    {
        return message(caption, text, UiButtons::OkCancel) == UiButton::Ok;
    }

    // A file name chosen to open, or nothing when cancelled. filter is in the Qt form
    // "Exercises (*.xml)".
    virtual std::optional<std::string> openFileName(const std::string &caption, const std::string &folder,
                                                    const std::string &filter)
        = 0;

    // A file name chosen to save to; defaultSuffix is appended when the user typed none.
    virtual std::optional<std::string> saveFileName(const std::string &caption, const std::string &proposed,
                                                    const std::string &defaultSuffix,
                                                    const std::string &filter)
        = 0;

    // A line of text typed by the user, or nothing when cancelled.
    virtual std::optional<std::string> inputText(const std::string &caption, const std::string &prompt,
                                                 const std::string &initial)
        = 0;
};

} // namespace pw
