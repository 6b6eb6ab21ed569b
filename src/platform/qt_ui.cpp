#include "platform/qt_ui.h"

#include "platform/qt_text.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace pw {

UiButton QtUi::message(const std::string &caption, const std::string &text, UiButtons buttons)
{
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    switch (buttons) {
    case UiButtons::Ok:
        shown = QMessageBox::Ok;
        break;
    case UiButtons::OkCancel:
        shown = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case UiButtons::YesNo:
        shown = QMessageBox::Yes | QMessageBox::No;
        break;
    case UiButtons::YesNoCancel:
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), shown, m_parent);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return UiButton::Cancel;
    case QMessageBox::Yes:
        return UiButton::Yes;
    case QMessageBox::No:
        return UiButton::No;
    default:
        return buttons == UiButtons::Ok || buttons == UiButtons::OkCancel ? UiButton::Ok : UiButton::Cancel;
    }
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
