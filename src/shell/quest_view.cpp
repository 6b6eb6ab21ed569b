#include "shell/quest_view.h"

#include "platform/qpainter_canvas.h"
#include "platform/qt_text.h"
#include "platform/text_fonts.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace pw {

namespace {

constexpr int PanelGap = 10;
constexpr int PanelLeft = 30;
constexpr int PlayButtonSize = 30;

QFont questFont(const std::string &name, int size, bool bold)
{
    QFont font(TextFontFamily(name));
    font.setPointSize(size);
    font.setBold(bold);
    return font;
}

QString colourStyle(Color c)
{
    return QString("color: rgb(%1, %2, %3);").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c));
}

} // namespace

// One question: its children as the model placed them.
class QuestPanel : public QWidget
{
public:
    QuestPanel(QWidget *area, TQuestList &list, const TQuestion &q, const TQUESTPARM &p,
               const std::function<void(int)> &sound, const TQuestView::Decorate &decorate)
        : QWidget(area)
    {
        setObjectName(QString("quest%1").arg(q.Place));
        setGeometry(q.Left, q.Top, q.Width, q.Height);
        auto *number = new QLabel(QString::number(q.Place + 1), this);
        number->setObjectName("number");
        number->setFont(questFont(p.NumFont, p.NumSize, p.NumBold));
        number->setStyleSheet(colourStyle(p.NumColor));
        number->move(p.NumLeft, p.NumTop);
        number->adjustSize();
        if (q.Picture) {
            auto *picture = new QLabel(this);
            picture->setObjectName("picture");
            QImage image(q.Picture->width(), q.Picture->height(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            {
                QPainterCanvas canvas(image);
                canvas.bitmap(0, 0, *q.Picture, false);
                // The overlays of the boxes go onto the picture.
                if (decorate)
                    decorate(canvas, q);
            }
            picture->setPixmap(QPixmap::fromImage(image));
            picture->setGeometry(q.PictureLeft, q.PictureTop, q.Picture->width(), q.Picture->height());
        }
        if (!q.Sound.empty()) {
            auto *play = new QPushButton(this);
            play->setObjectName("play");
            play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
            play->setGeometry(q.Width - 50, p.NumTop, PlayButtonSize, PlayButtonSize);
            play->setFocusPolicy(Qt::NoFocus);
            const int place = q.Place;
            QObject::connect(play, &QPushButton::clicked, [sound, place] {
                if (sound)
                    sound(place);
            });
        }
        auto *text = new QLabel(ToQString(q.Text), this);
        text->setObjectName("text");
        text->setFont(questFont(p.TextFont, p.TextSize, p.TextBold));
        text->setStyleSheet(colourStyle(p.TextColor));
        text->setWordWrap(true);
        const int textWidth = q.Width - number->width() - 20;
        text->setGeometry(p.TextLeft, p.TextTop, textWidth,
                          std::max(p.TextHeight, text->heightForWidth(textWidth)));
        for (std::size_t b = 0; b < q.Boxes.size(); ++b) {
            const QuestBox &box = q.Boxes[b];
            auto *combo = new QComboBox(this);
            combo->setObjectName(QString("box%1").arg(b));
            for (const std::string &item : box.Items)
                combo->addItem(ToQString(item));
            combo->setCurrentIndex(box.Selected);
            if (!box.Hint.empty())
                combo->setToolTip(ToQString(box.Hint));
            const int width = q.Picture ? box.W : textWidth - 20;
            combo->setGeometry(box.Left, box.Top, width > 0 ? width : 100, 30);
            const int place = q.Place;
            const int index = static_cast<int>(b);
            QObject::connect(combo, &QComboBox::currentIndexChanged,
                             [&list, place, index](int item) { list.Select(place, index, item); });
            boxes.push_back(combo);
        }
        show();
    }

    std::vector<QComboBox *> boxes;
};

TQuestView::TQuestView(QWidget *area, TQuestList &list, const TQUESTPARM &parms,
                       std::function<void(int)> sound, Decorate decorate)
    : m_list(list)
{
    for (const auto &question : list.Questions())
        m_panels.push_back(new QuestPanel(area, list, *question, parms, sound, decorate));
}

TQuestView::~TQuestView()
{
    for (QuestPanel *panel : m_panels)
        delete panel;
}

void TQuestView::Layout(int first, int xoffset)
{
    if (first < 0 || m_panels.empty())
        return;
    m_first = first;
    int y = m_list.Questions().front()->Top;
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        QuestPanel *panel = m_panels[i];
        if (static_cast<int>(i) < first) {
            panel->hide();
            continue;
        }
        panel->move(PanelLeft + xoffset, y);
        panel->show();
        y += panel->height() + PanelGap;
    }
}

void TQuestView::FocusBox(int place, int box)
{
    if (QComboBox *combo = Box(place, box); combo && combo->isVisible())
        combo->setFocus();
}

void TQuestView::Hide()
{
    for (QuestPanel *panel : m_panels)
        panel->hide();
}

QComboBox *TQuestView::Box(int place, int box) const
{
    if (place < 0 || place >= static_cast<int>(m_panels.size()))
        return nullptr;
    const auto &boxes = m_panels[static_cast<std::size_t>(place)]->boxes;
    return box >= 0 && box < static_cast<int>(boxes.size()) ? boxes[static_cast<std::size_t>(box)] : nullptr;
}

} // namespace pw
