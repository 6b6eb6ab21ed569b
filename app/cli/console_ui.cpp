#include "console_ui.h"

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
    std::cerr << caption << ": " << text << '\n';
    m_lastText = text;
    if (caption == "Ошибка")
        errorShown = true;
    return buttons == pw::UiButtons::YesNo || buttons == pw::UiButtons::YesNoCancel ? pw::UiButton::Yes
                                                                                    : pw::UiButton::Ok;
}

} // namespace pwcli
