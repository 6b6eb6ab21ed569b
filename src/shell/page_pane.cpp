#include "shell/page_pane.h"

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
    // Links are ours to route: QTextBrowser's own handling would try to show web pages here.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &TPagePane::FollowLink);
}

void TPagePane::Navigate(const std::filesystem::path &file)
{
    const std::filesystem::path absolute = file.is_absolute() ? file : std::filesystem::absolute(file);
    setSource(QUrl::fromLocalFile(toQString(absolute.lexically_normal())));
}

void TPagePane::ShowHtml(const QString &html, const std::filesystem::path &file)
{
    const std::filesystem::path absolute = file.is_absolute() ? file : std::filesystem::absolute(file);
    m_file = absolute.lexically_normal();
    m_missing = false;
    setSource(QUrl());
    document()->setBaseUrl(QUrl::fromLocalFile(toQString(m_file)));
    setHtml(html);
}

void TPagePane::FollowLink(const QUrl &link)
{
    if (link.scheme() == "partwriter") {
        if (m_programLinks)
            m_programLinks(link.path());
        return;
    }
    const QUrl base = source().isEmpty() ? document()->baseUrl() : source();
    const QUrl url = link.isRelative() ? base.resolved(link) : link;
    const QString scheme = url.scheme();
    if (!scheme.isEmpty() && scheme != "file" && scheme != "qrc") {
        QDesktopServices::openUrl(url);
        return;
    }
    setSource(url);
}

QString TPagePane::MissingPageHtml(const std::filesystem::path &file)
{
    return "<html><body><h3>Страница не найдена</h3><p>" + toQString(file).toHtmlEscaped()
        + "</p></body></html>";
}

void TPagePane::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    if (name.isLocalFile()) {
        m_file = toPath(name.toLocalFile());
        m_missing = !QFileInfo(name.toLocalFile()).isFile();
    }
    QTextBrowser::doSetSource(name, type);
}

QVariant TPagePane::loadResource(int type, const QUrl &name)
{
    // The error page stands in as the missing file's content, so the source and the history
    // stay right and the same file loads once it is there.
    if (type == QTextDocument::HtmlResource && name.isLocalFile() && !QFileInfo(name.toLocalFile()).isFile())
        return MissingPageHtml(toPath(name.toLocalFile()));
    return QTextBrowser::loadResource(type, name);
}

} // namespace pw
