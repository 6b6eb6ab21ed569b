#pragma once

#include "support/entry_fixture.h"

#include "panels/bottom_piano.h"
#include "panels/picture_button.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

// The piano panel over the bundled exercise, with everything it hands to the main window
// recorded.
class PianoFixture : public EntryFixture
{
protected:
    using Message = std::array<int, 4>;
    struct Key
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool operator==(const Key &) const = default;
    };

    void SetUp() override
    {
        EntryFixture::SetUp();
        task.Iterations = -1;
        ASSERT_TRUE(exercise->LoadExercise(
            (std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "Chromo-major-bemol.xml").string(),
            &task, false));
        pw::PianoCallbacks callbacks;
        callbacks.NoteHandler = [this](int device, int status, int data1, int data2) {
            messages.push_back({device, status, data1, data2});
        };
        callbacks.KeyHandler = [this](int key, Qt::KeyboardModifiers modifiers) {
            keys.push_back({key, modifiers});
        };
        callbacks.PauseToggle = [this] { ++pauseToggles; };
        callbacks.CompleteTask = [this] { ++completions; };
        panel = std::make_unique<pw::TBottomPiano>(*exercise, *entry, task, PARTWRITER_PROGRAM_DIR,
                                                   std::move(callbacks));
        panel->show();
    }
    void TearDown() override
    {
        panel.reset();
        EntryFixture::TearDown();
    }

    template<typename T = QWidget>
    T *control(const char *name) const
    {
        T *found = panel->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    pw::TPictureButton *button(const char *name) const { return control<pw::TPictureButton>(name); }
    std::string picture(const char *name) const
    {
        return control(name)->property("picture").toString().toStdString();
    }

    void press(const char *image, int x, int y)
    {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control(image), &event);
    }
    void release(const char *image)
    {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(1, 80), QPointF(1, 80), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control(image), &event);
    }
    void hover(const char *name, bool inside)
    {
        if (inside) {
            QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(control(name), &event);
        } else {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(control(name), &event);
        }
    }

    void setVoice(int voice, int offset)
    {
        exercise->part(exercise->CurPart).CurVoice = voice;
        exercise->OctOffset[static_cast<std::size_t>(voice)] = offset;
        panel->RefreshButtons();
    }

    std::vector<Message> messages;
    std::vector<Key> keys;
    int pauseToggles = 0;
    int completions = 0;
    std::unique_ptr<pw::TBottomPiano> panel;
};
