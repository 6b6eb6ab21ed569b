#pragma once

#include <QImage>
#include <QTextBrowser>

#include <filesystem>
#include <functional>
#include <map>

namespace pw {

class Localization;

// The HTML pane "wb": local pages with their pictures, tables and links. Links to local pages
// open here; web and mail links go to the desktop's programs and the pane stays where it is.
class TPagePane : public QTextBrowser
{
    Q_OBJECT
public:
    explicit TPagePane(QWidget *parent = nullptr);

    // Shows the file; a missing one gives a short error page naming it.
    void Navigate(const std::filesystem::path &file);
    // Shows a page the program builds, at address: ProgramAddress(NAME) for a page of its own, or
    // a local file's address for that file as the program has filled it in (its relative links and
    // pictures then resolve against the file). Pictures named "partwriter:PICTURE" in it come from
    // pictures. Shown again, the page is read anew.
    void ShowGenerated(const QUrl &address, const QString &html, std::map<QString, QImage> pictures = {});
    // Clicked links "partwriter:WHAT" that are not the built page itself go to this handler.
    void SetProgramLinks(std::function<void(const QString &what)> handler)
    {
        m_programLinks = std::move(handler);
    }
    // The address scheme of built pages and of the program's own links.
    static constexpr const char *Scheme = "partwriter";
    static QUrl ProgramAddress(const QString &name) { return QUrl(QString(Scheme) + ":" + name); }

    // The page last asked for, also when it was missing; empty before the first.
    const std::filesystem::path &CurrentFile() const { return m_file; }
    // Whether the error page stands in for CurrentFile().
    bool PageMissing() const { return m_missing; }
    // Pages load synchronously.
    bool IsBusy() const { return false; }

    // The pane's answer to a clicked link (resolved against the page shown).
    void FollowLink(const QUrl &link);

    // The error page text for a missing file.
    QString MissingPageHtml(const std::filesystem::path &file) const;
    // The error page's heading in the interface language.
    void Localize(const Localization &texts);

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;
    QVariant loadResource(int type, const QUrl &name) override;

private:
    std::function<void(const QString &)> m_programLinks;
    std::filesystem::path m_file;
    QString m_missingHeading;
    bool m_missing = false;
    QUrl m_generatedAddress;
    QString m_generatedHtml;
    std::map<QString, QImage> m_pictures;
};

} // namespace pw
