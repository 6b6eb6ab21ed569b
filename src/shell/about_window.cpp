#include "shell/about_window.h"

#include "config/language_variant.h"

#include "shell/page_pane.h"

#include <QPushButton>

#include <algorithm>

namespace pw {

namespace {

constexpr int Inset = 10;
constexpr int ButtonFromBottom = 50;
constexpr int GapOverButton = 20;

QRect mainFrameOf(const QWidget *mainWindow)
{
    const QRect frame = mainWindow->frameGeometry();
    if (mainWindow->isWindow())
        return frame;
    return {mainWindow->mapToGlobal(QPoint(0, 0)), frame.size()};
}

} // namespace

TfAbout::TfAbout(QWidget *mainWindow, const std::filesystem::path &dataDir, const std::string &language,
                 const QString &caption)
    : QDialog(mainWindow)
{
    setObjectName("fAbout");
    setModal(true);
    setWindowTitle(caption);

    m_browser = new TPagePane(this);
    m_browser->setObjectName("wbAbout");
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("bOk");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    if (mainWindow != nullptr) {
        const QRect place = PlaceFor(mainFrameOf(mainWindow));
        move(place.topLeft());
        resize(place.size());
    }
    m_browser->Navigate(PageFile(dataDir, language));
    layoutContents();
}

std::filesystem::path TfAbout::PageFile(const std::filesystem::path &dataDir, const std::string &language)
{
    // The page of the language is shown even when it is missing, so its absence shows.
    return dataDir / "html" / LanguageVariantName("about.html", language);
}

QRect TfAbout::PlaceFor(const QRect &mainFrame)
{
    // Integer arithmetic truncates like the fractions of the size would.
    const int width = mainFrame.width();
    const int height = mainFrame.height();
    return {mainFrame.left() + width / 4, mainFrame.top() + height * 15 / 100, width / 2, height * 7 / 10};
}

void TfAbout::showEvent(QShowEvent *event)
{
    layoutContents();
    QDialog::showEvent(event);
}

void TfAbout::resizeEvent(QResizeEvent *event)
{
    layoutContents();
    QDialog::resizeEvent(event);
}

void TfAbout::layoutContents()
{
    const QSize button = m_ok->sizeHint().expandedTo(QSize(75, 25));
    const int buttonTop = height() - ButtonFromBottom;
    m_ok->setGeometry((width() - button.width()) / 2, buttonTop, button.width(), button.height());
    m_browser->setGeometry(Inset, Inset, std::max(width() - 2 * Inset, 0),
                           std::max(buttonTop - GapOverButton - Inset, 0));
}

} // namespace pw
