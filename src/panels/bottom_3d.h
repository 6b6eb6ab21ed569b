#pragma once

// The lower panel of 3D lessons: a caption strip, the (unused) time display and the counter of the
// view on screen ("2 / 3").

#include <QWidget>

class QLabel;

namespace pw {

class Localization;

class TBottom3D : public QWidget
{
public:
    explicit TBottom3D(QWidget *parent = nullptr);

    void SetTexts(const Localization &texts);
    // The caption of the view on screen; an empty one shows the panel's own text.
    void SetCaption(const QString &caption);
    // The view on screen, counted from 1, of count views.
    void SetCounter(int view, int count);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void place();
    void showCaption();

    QWidget *m_panel1 = nullptr;
    QLabel *m_caption = nullptr;
    QWidget *m_panel2 = nullptr;
    QLabel *m_timeRest = nullptr;
    QWidget *m_panel3 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_iterations = nullptr;
    QString m_ownText;
    QString m_viewCaption;
};

} // namespace pw
