#pragma once

#include <QDialog>
#include <QString>

#include <filesystem>
#include <string>

class QPushButton;

namespace pw {

class TPagePane;

// The modal about window: the about page of the interface language over an OK button, placed
// in the middle of the main window.
class TfAbout : public QDialog
{
    Q_OBJECT
public:
    TfAbout(QWidget *mainWindow, const std::filesystem::path &dataDir, const std::string &language,
            const QString &caption);

    // dataDir/html/about.html in Russian, dataDir/html/about<Language>.html otherwise.
    static std::filesystem::path PageFile(const std::filesystem::path &dataDir, const std::string &language);

    // Where the window goes for a main window with that frame (global coordinates).
    static QRect PlaceFor(const QRect &mainFrame);

    TPagePane *Browser() const { return m_browser; }
    QPushButton *OkButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutContents();

    TPagePane *m_browser;
    QPushButton *m_ok;
};

} // namespace pw
