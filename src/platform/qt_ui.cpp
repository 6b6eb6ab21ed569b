#include "platform/qt_ui.h"

#include "platform/qt_text.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace pw {

namespace {

// The message box's buttons of each choice, first the default one.
std::vector<std::pair<UiButton, QMessageBox::StandardButton>> buttonsOf(UiButtons buttons)
{
    switch (buttons) {
    case UiButtons::Ok:
        return {{UiButton::Ok, QMessageBox::Ok}};
    case UiButtons::OkCancel:
        return {{UiButton::Ok, QMessageBox::Ok}, {UiButton::Cancel, QMessageBox::Cancel}};
    case UiButtons::YesNo:
        return {{UiButton::Yes, QMessageBox::Yes}, {UiButton::No, QMessageBox::No}};
    case UiButtons::YesNoCancel:
        return {{UiButton::Yes, QMessageBox::Yes},
                {UiButton::No, QMessageBox::No},
                {UiButton::Cancel, QMessageBox::Cancel}};
    case UiButtons::SaveDiscardCancel:
        return {{UiButton::Save, QMessageBox::Save},
                {UiButton::Discard, QMessageBox::Discard},
                {UiButton::Cancel, QMessageBox::Cancel}};
    }
    return {{UiButton::Ok, QMessageBox::Ok}};
}

} // namespace

UiButton QtUi::message(const std::string &caption, const std::string &text, UiButtons buttons)
{
    const auto choices = buttonsOf(buttons);
    QMessageBox::StandardButtons shown;
    for (const auto &[answer, standard] : choices)
        shown |= standard;
    const auto shownText
        = [this](const std::string &s) { return ToQString(m_translate ? m_translate(s) : s); };
    QMessageBox box(QMessageBox::NoIcon, shownText(caption), shownText(text), shown, m_parent);
    box.setDefaultButton(choices.front().second);
    for (const auto &[answer, standard] : choices) {
        const auto found = m_buttonTexts.find(answer);
        if (found != m_buttonTexts.end() && box.button(standard))
            box.button(standard)->setText(ToQString(found->second));
    }
    const int pressed = box.exec();
    for (const auto &[answer, standard] : choices) {
        if (pressed == standard)
            return answer;
    }
    // Closed without a button (Esc): the last choice, which is the cautious one.
    return choices.back().first;
}

std::optional<std::string> QtUi::openFileName(const std::string &caption, const std::string &folder,
                                              const std::string &filter)
{
    const QString name
        = QFileDialog::getOpenFileName(m_parent, ToQString(caption), ToQString(folder), ToQString(filter));
    if (name.isEmpty())
        return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> QtUi::saveFileName(const std::string &caption, const std::string &proposed,
                                              const std::string &defaultSuffix, const std::string &filter)
{
    QFileDialog dialog(m_parent, ToQString(caption), ToQString(proposed), ToQString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(ToQString(defaultSuffix));
    dialog.selectFile(ToQString(proposed));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtUi::inputText(const std::string &caption, const std::string &prompt,
                                           const std::string &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, ToQString(caption), ToQString(prompt),
                                               QLineEdit::Normal, ToQString(initial), &ok);
    if (!ok)
        return std::nullopt;
    return text.toStdString();
}

} // namespace pw
