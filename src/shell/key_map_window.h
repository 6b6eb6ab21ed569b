#pragma once

#include <QDialog>

#include <filesystem>
#include <string>

namespace pw {

class TPagePane;

// The computer-key map (F1, the toolbar's key button): a window over the lower part of the main
// area that does not block the lesson, showing html\keys.html in the interface language.
class TfKeys : public QDialog
{
    Q_OBJECT
public:
    TfKeys(const std::filesystem::path &dataDir, const std::string &language, const QString &caption,
           QWidget *parent);

    TPagePane *Page() const { return m_page; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TPagePane *m_page;
};

} // namespace pw
