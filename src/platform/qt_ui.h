#pragma once

#include "platform/ui.h"

#include <functional>
#include <map>

class QWidget;

namespace pw {

// Message boxes, file dialogs and the input dialog of Qt Widgets, over a parent window.
class QtUi : public Ui
{
public:
    explicit QtUi(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget *parent) { m_parent = parent; }
    // The caption of a button in the interface language; Qt's own otherwise.
    void setButtonText(UiButton button, const std::string &text) { m_buttonTexts[button] = text; }
    // Puts the captions and texts of messages into the interface language.
    void setTranslation(std::function<std::string(const std::string &)> translate)
    {
        m_translate = std::move(translate);
    }

    UiButton message(const std::string &caption, const std::string &text,
                     UiButtons buttons = UiButtons::Ok) override;
    std::optional<std::string> openFileName(const std::string &caption, const std::string &folder,
                                            const std::string &filter) override;
    std::optional<std::string> saveFileName(const std::string &caption, const std::string &proposed,
                                            const std::string &defaultSuffix,
                                            const std::string &filter) override;
    std::optional<std::string> inputText(const std::string &caption, const std::string &prompt,
                                         const std::string &initial) override;

private:
    QWidget *m_parent;
    std::map<UiButton, std::string> m_buttonTexts;
    std::function<std::string(const std::string &)> m_translate;
};

} // namespace pw
