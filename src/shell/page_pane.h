#pragma once

#include <QImage>
#include <QTextBrowser>

#include <filesystem>
#include <functional>
#include <map>

namespace pw {

// The HTML pane "wb": local pages with their pictures, tables and links. Links to local pages
// open here; web and mail links go to the desktop's programs and the pane stays where it is.
class TPagePane : public QTextBrowser
{
    Q_OBJECT
public:
    explicit TPagePane(QWidget *parent = nullptr);

    // Shows the file; a missing one gives a short error page naming it.
    void Navigate(const std::filesystem::path &file);
    // Shows a page the program builds, at the address "partwriter:NAME"; its pictures are named
    // "partwriter:PICTURE" in it. Shown again, it is read anew.
    void ShowGenerated(const QString &name, const QString &html, std::map<QString, QImage> pictures);
    // Clicked links "partwriter:COMMAND" of a built page that is not the page itself.
    std::function<void(const QString &command)> OnCommand;
    // The address scheme of built pages and their commands.
    static constexpr const char *Scheme = "partwriter";

    // The page last asked for, also when it was missing; empty before the first.
    const std::filesystem::path &CurrentFile() const { return m_file; }
    // Whether the error page stands in for CurrentFile().
    bool PageMissing() const { return m_missing; }
    // Pages load synchronously.
    bool IsBusy() const { return false; }

    // The pane's answer to a clicked link (resolved against the page shown).
    void FollowLink(const QUrl &link);

    // The error page text for a missing file.
    static QString MissingPageHtml(const std::filesystem::path &file);

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;
    QVariant loadResource(int type, const QUrl &name) override;

private:
    std::filesystem::path m_file;
    bool m_missing = false;
    QString m_generatedName;
    QString m_generatedHtml;
    std::map<QString, QImage> m_pictures;
};

} // namespace pw
