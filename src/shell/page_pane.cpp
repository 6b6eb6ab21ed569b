#include "shell/page_pane.h"

#include "config/localization.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace pw {

namespace {

std::filesystem::path toPath(const QString &file)
{
    return std::filesystem::path(file.toStdString());
}

QString toQString(const std::filesystem::path &file)
{
    return QString::fromStdString(file.string());
}

} // namespace

TPagePane::TPagePane(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName("wb");
    m_missingHeading = QString::fromStdString(Localization::Default("Page", "Missing"));
    // Links are ours to route: QTextBrowser's own handling would try to show web pages here.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &TPagePane::FollowLink);
}

void TPagePane::Localize(const Localization &texts)
{
    m_missingHeading = QString::fromStdString(texts.Text("Page", "Missing"));
}

void TPagePane::Navigate(const std::filesystem::path &file)
{
    const std::filesystem::path absolute = file.is_absolute() ? file : std::filesystem::absolute(file);
    const QUrl address = QUrl::fromLocalFile(toQString(absolute.lexically_normal()));
    // Asked for by name, the file is shown as it is, not as the program filled it in.
    if (address == m_generatedAddress) {
        m_generatedAddress.clear();
        if (source() == address) {
            reload();
            return;
        }
    }
    setSource(address);
}

void TPagePane::ShowGenerated(const QUrl &address, const QString &html, std::map<QString, QImage> pictures)
{
    m_generatedAddress = address;
    m_generatedHtml = html;
    m_pictures = std::move(pictures);
    // The same address would not be loaded again.
    if (source() == address)
        reload();
    else
        setSource(address, QTextDocument::HtmlResource);
}

void TPagePane::FollowLink(const QUrl &link)
{
    if (link.scheme() == Scheme) {
        if (link == m_generatedAddress)
            setSource(link, QTextDocument::HtmlResource);
        else if (m_programLinks)
            m_programLinks(link.path());
        return;
    }
    const QUrl url = link.isRelative() ? source().resolved(link) : link;
    const QString scheme = url.scheme();
    if (!scheme.isEmpty() && scheme != "file" && scheme != "qrc") {
        QDesktopServices::openUrl(url);
        return;
    }
    setSource(url);
}

QString TPagePane::MissingPageHtml(const std::filesystem::path &file) const
{
    return "<html><body><h3>" + m_missingHeading.toHtmlEscaped() + "</h3><p>"
        + toQString(file).toHtmlEscaped() + "</p></body></html>";
}

void TPagePane::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    if (name.isLocalFile()) {
        m_file = toPath(name.toLocalFile());
        m_missing = !QFileInfo(name.toLocalFile()).isFile();
    } else if (name.scheme() == Scheme) {
        m_file.clear();
        m_missing = false;
    }
    QTextBrowser::doSetSource(name, type);
}

QVariant TPagePane::loadResource(int type, const QUrl &name)
{
    if (type == QTextDocument::HtmlResource && name == m_generatedAddress)
        return m_generatedHtml;
    if (name.scheme() == Scheme) {
        const auto picture = m_pictures.find(name.path());
        if (type == QTextDocument::ImageResource && picture != m_pictures.end())
            return picture->second;
        return {};
    }
    // The error page stands in as the missing file's content, so the source and the history
    // stay right and the same file loads once it is there.
    if (type == QTextDocument::HtmlResource && name.isLocalFile() && !QFileInfo(name.toLocalFile()).isFile())
        return MissingPageHtml(toPath(name.toLocalFile()));
    return QTextBrowser::loadResource(type, name);
}

} // namespace pw
