#include "shell/key_map_window.h"

#include "config/language_variant.h"
#include "platform/file_paths.h"
#include "shell/page_pane.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace pw {

TfKeys::TfKeys(const std::filesystem::path &dataDir, const std::string &language, const QString &caption,
               QWidget *parent)
    : QDialog(parent)
    , m_page(new TPagePane(this))
{
    setObjectName("TfKeys");
    setWindowTitle(caption);
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_page);
    m_page->Navigate(ResolveDataPath(dataDir, LanguageVariant(dataDir, "html\\keys.html", language)));
    resize(620, 420);
}

// F1 closes the map as it opened it.
void TfKeys::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier)
        close();
    else
        QDialog::keyPressEvent(event);
}

} // namespace pw
