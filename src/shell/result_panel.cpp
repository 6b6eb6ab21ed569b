#include "shell/result_panel.h"

#include "config/localization.h"
#include "platform/text_fonts.h"

#include <QLabel>

#include <algorithm>

namespace pw {

namespace {

constexpr int BoxHeight = 195;

} // namespace

TResultPanel::TResultPanel(QWidget *parent)
    : QWidget(parent)
    , m_box(new QWidget(this))
{
    setObjectName("sResult");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    m_box->setObjectName("sIRes");
    m_complete = label("sMessExerciseComplete",
                       QString::fromStdString(Localization::Default("Result", "ExerciseComplete")));
    m_markHeader = label("sLabel3", QString::fromStdString(Localization::Default("Result", "MarkHeader")));
    m_message = label("sText2", QString::fromStdString(Localization::Default("Result", "Message")));
    m_mark = label("sMark", {});
    QFont big(TextFontFamily("Arial"));
    big.setBold(true);
    big.setPointSize(100);
    m_mark->setFont(big);
    m_mark->setStyleSheet("color: rgb(0, 102, 153);");
    QFont text = m_complete->font();
    text.setPointSize(14);
    for (QLabel *l : {m_complete, m_markHeader, m_message})
        l->setFont(text);
    hide();
}

QLabel *TResultPanel::label(const char *name, const QString &text)
{
    auto *l = new QLabel(text, m_box);
    l->setObjectName(name);
    l->setStyleSheet("color: rgb(81, 81, 81);");
    return l;
}

void TResultPanel::SetTexts(const Localization &texts)
{
    m_complete->setText(QString::fromStdString(texts.Text("Result", "ExerciseComplete")));
    m_markHeader->setText(QString::fromStdString(texts.Text("Result", "MarkHeader")));
    m_message->setText(QString::fromStdString(texts.Text("Result", "Message")));
    LayoutResult();
}

void TResultPanel::SetMark(const QString &mark)
{
    m_mark->setText(mark);
    LayoutResult();
}

QString TResultPanel::Mark() const
{
    return m_mark->text();
}

void TResultPanel::LayoutResult()
{
    for (QLabel *l : {m_complete, m_markHeader, m_mark})
        l->adjustSize();
    // Twice the hint's width, but never wider than the panel: a narrow window wraps the hint.
    const int natural = m_message->fontMetrics().horizontalAdvance(m_message->text()) + 4;
    const int boxWidth = std::max(1, std::min(2 * natural, width() - 20));
    m_message->setWordWrap(natural > boxWidth);
    m_message->setFixedWidth(std::min(natural, boxWidth));
    m_message->adjustSize();
    m_box->setGeometry((width() - boxWidth) / 2, (height() - BoxHeight) / 2, boxWidth, BoxHeight);
    m_complete->move(0, 0);
    const int markHeight = m_mark->height();
    m_mark->move(static_cast<int>(0.7 * boxWidth), static_cast<int>(0.1 * (BoxHeight - markHeight)));
    // The mark's caption sits under the heading, left of the mark.
    m_markHeader->move(0, 42 + m_complete->height());
    m_message->move(0, BoxHeight - 20 - m_message->height());
}

void TResultPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutResult();
}

} // namespace pw
