#pragma once

#include <QWidget>

class QLabel;

namespace pw {

class Localization;

// The result panel "sResult": a centred box "sIRes" saying the exercise is complete, with the mark
// "sMark" in large type and a hint to choose the next lesson.
class TResultPanel : public QWidget
{
public:
    explicit TResultPanel(QWidget *parent = nullptr);

    void SetTexts(const Localization &texts);
    void SetMark(const QString &mark);
    QString Mark() const;
    // Centres the box and places the mark and texts in it.
    void LayoutResult();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *label(const char *name, const QString &text);

    QWidget *m_box;
    QLabel *m_complete;
    QLabel *m_markHeader;
    QLabel *m_mark;
    QLabel *m_message;
};

} // namespace pw
