#pragma once

#include "config/localization.h"
#include "platform/ui.h"

#include <functional>
#include <string>

namespace pwcli {

// The headless tools' Ui: every message goes to stderr as "caption: text" and is answered with
// its first button (OK, Yes); dialogs are cancelled.
class ConsoleUi : public pw::Ui
{
public:
    pw::UiButton message(const std::string &caption, const std::string &text, pw::UiButtons buttons) override;
    std::optional<std::string> openFileName(const std::string &, const std::string &,
                                            const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFileName(const std::string &, const std::string &, const std::string &,
                                            const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> inputText(const std::string &, const std::string &,
                                         const std::string &) override
    {
        return std::nullopt;
    }

    // Puts captions and texts into another language before they are shown (the lower layers speak
    // the built-in Russian; lastText keeps the text as the program said it).
    void SetTranslation(std::function<std::string(const std::string &)> translate)
    {
        m_translate = std::move(translate);
    }

    // Messages in the language of texts (its Phrases); texts must outlive the Ui.
    void SpeakLike(const pw::Localization &texts)
    {
        SetTranslation([&texts](const std::string &text) { return texts.Phrase(text); });
    }

    // The text of the last message shown, for error reports.
    const std::string &lastText() const { return m_lastText; }

    // Whether any ConsoleUi of the run has shown an error ("Ошибка"): a command that had to
    // report one does not end as a success, whatever it printed.
    static bool ErrorShown();

private:
    std::string m_lastText;
    std::function<std::string(const std::string &)> m_translate;
};

// The English texts of the program's own course, loaded once: the tools tell their errors and
// reasons in English whatever the course.
const pw::Localization &ProgramEnglish();

} // namespace pwcli
