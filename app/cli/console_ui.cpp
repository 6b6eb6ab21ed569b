#include "console_ui.h"

#include <iostream>

namespace pwcli {

pw::UiButton ConsoleUi::message(const std::string &caption, const std::string &text, pw::UiButtons buttons)
{
    std::cerr << caption << ": " << text << '\n';
    m_lastText = text;
    return buttons == pw::UiButtons::YesNo || buttons == pw::UiButtons::YesNoCancel ? pw::UiButton::Yes
                                                                                    : pw::UiButton::Ok;
}

} // namespace pwcli
