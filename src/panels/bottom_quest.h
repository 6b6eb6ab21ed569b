#pragma once

// The lower panel of questionnaire lessons: the time left in large digits and the button that ends
// the test. The counters are there for the layout the course was designed with, and stay hidden.

#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>

class QLabel;

namespace pw {

class Localization;
class TimerArea;
class TPictureButton;

class TBottomQuest : public QWidget
{
public:
    // Pictures are read from exeDir/res; finish is the shell's command that ends the test.
    TBottomQuest(const TimerArea &task, const std::filesystem::path &exeDir, std::function<void()> finish,
                 QWidget *parent = nullptr);

    void SetTexts(const Localization &texts);
    void RefreshTime();
    // The finish button's picture: disabled, under the mouse, or not.
    void RefreshButton(bool underMouse);
    void SetFinishVisible(bool visible);
    void SetFinishEnabled(bool enabled);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void place();

    const TimerArea &m_task;
    std::function<void()> m_finish;
    QLabel *m_time = nullptr;
    TPictureButton *m_fin = nullptr;
    std::array<QLabel *, 5> m_captions {};
    std::array<QLabel *, 5> m_values {};
    bool m_finishVisible = true;
    bool m_finishEnabled = true;
};

} // namespace pw
