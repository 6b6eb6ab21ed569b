#include "console_ui.h"

#include "platform/file_paths.h"

#include <iostream>

namespace pwcli {

namespace {

bool errorShown = false;

} // namespace

bool ConsoleUi::ErrorShown()
{
    return errorShown;
}

pw::UiButton ConsoleUi::message(const std::string &caption, const std::string &text, pw::UiButtons buttons)
{
    if (m_translate)
        std::cerr << m_translate(caption) << ": " << m_translate(text) << '\n';
    else
        std::cerr << caption << ": " << text << '\n';
    m_lastText = text;
    if (caption == "Ошибка")
        errorShown = true;
    return buttons == pw::UiButtons::YesNo || buttons == pw::UiButtons::YesNoCancel ? pw::UiButton::Yes
                                                                                    : pw::UiButton::Ok;
}

const pw::Localization &ProgramEnglish()
{
    static const pw::Localization english = [] {
        pw::Localization texts;
        texts.Load(pw::BundledDataFolder(pw::ExecutableFolder()), "English");
        return texts;
    }();
    return english;
}

} // namespace pwcli
