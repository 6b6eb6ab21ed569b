#include "panels/bottom_3d.h"

#include "config/localization.h"
#include "platform/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>

namespace pw {

namespace {

constexpr int BigFontPixels = 45;
constexpr int Panel2Width = 220;
constexpr int Panel3Width = 300;

QLabel *bigLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(BigFontPixels);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QWidget *panel(const char *name, QWidget *parent)
{
    auto *widget = new QWidget(parent);
    widget->setObjectName(name);
    return widget;
}

} // namespace

TBottom3D::TBottom3D(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("TBottom3D");
    m_panel1 = panel("Panel1", this);
    m_panel1->setAutoFillBackground(true);
    QPalette black = m_panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    m_panel1->setPalette(black);
    m_caption = new QLabel(m_panel1);
    m_caption->setObjectName("Caption");
    m_caption->setWordWrap(true);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont captionFont = m_caption->font();
    captionFont.setPixelSize(20);
    m_caption->setFont(captionFont);
    (new QHBoxLayout(m_panel1))->addWidget(m_caption);

    m_panel2 = panel("Panel2", this);
    m_timeRest = bigLabel("TimeRest", m_panel2);
    (new QHBoxLayout(m_panel2))->addWidget(m_timeRest);

    m_panel3 = panel("Panel3", this);
    m_label1 = bigLabel("Label1", m_panel3);
    m_iterations = bigLabel("Iterations", m_panel3);
    auto *counter = new QHBoxLayout(m_panel3);
    counter->setSpacing(BigFontPixels / 2);
    counter->addWidget(m_label1);
    counter->addWidget(m_iterations, 1);

    m_ownText = ToQString(Localization::Default("Bottom3D", "Navigation"));
    m_label1->setText(ToQString(Localization::Default("Bottom3D", "View")));
    showCaption();
    place();
}

void TBottom3D::SetTexts(const Localization &texts)
{
    m_ownText = ToQString(texts.Text("Bottom3D", "Navigation"));
    m_label1->setText(ToQString(texts.Text("Bottom3D", "View")));
    showCaption();
}

void TBottom3D::SetCaption(const QString &caption)
{
    m_viewCaption = caption;
    showCaption();
}

void TBottom3D::SetCounter(int view, int count)
{
    m_iterations->setText(QString::number(view) + " / " + QString::number(count));
}

void TBottom3D::showCaption()
{
    m_caption->setText(m_viewCaption.isEmpty() ? m_ownText : m_viewCaption);
}

void TBottom3D::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

void TBottom3D::place()
{
    const int side = Panel2Width + Panel3Width;
    const int captionWidth = std::max(0, width() - side);
    m_panel1->setGeometry(0, 0, captionWidth, height());
    m_panel2->setGeometry(captionWidth, 0, Panel2Width, height());
    m_panel3->setGeometry(captionWidth + Panel2Width, 0, Panel3Width, height());
}

} // namespace pw
