#pragma once

#include <QTextBrowser>

#include <filesystem>
#include <functional>

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
    // Shows a page the program has put together from file, whose links and pictures are
    // relative to file.
    void ShowHtml(const QString &html, const std::filesystem::path &file);
    // The program's own links (partwriter:WHAT) go to this handler.
    void SetProgramLinks(std::function<void(const QString &what)> handler)
    {
        m_programLinks = std::move(handler);
    }

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
    std::function<void(const QString &)> m_programLinks;
    std::filesystem::path m_file;
    bool m_missing = false;
};

} // namespace pw
