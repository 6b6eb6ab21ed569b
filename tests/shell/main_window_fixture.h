#pragma once

#include "support/test_folder.h"

#include "config/tdm.h"
#include "entry/computer_keys.h"
#include "midi/memory_backend.h"
#include "platform/file_paths.h"
#include "shell/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

// The one in-memory MIDI service of the test program, set before the shared devices exist.
pw::MemoryMidiBackend &TestMidi();

// The bundled course in a scratch data folder whose settings silence the no-MIDI notice and select
// the in-memory output "Test out".
class MainWindowFixture : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        // The progress log goes under the scratch folder, never into the real home.
        savedDataHome = qgetenv("XDG_DATA_HOME");
        hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((folder / "home-data").string()));
        std::filesystem::copy(PARTWRITER_BUNDLED_DATA, folder, std::filesystem::copy_options::recursive);
        write("parms.xml",
              "<Parameters welcomed=\"Y\" nomessagemidi=\"Y\" octoffset0=\"-1\"><MidiInput/>"
              "<MidiOutput><Dev>Test out</Dev></MidiOutput></Parameters>");
        tdm.ExeDir = pw::WithTrailingSeparator(pw::ExecutableFolder());
        tdm.DataDir = pw::WithTrailingSeparator(folder);
        // A message box nobody expected would wait for a click forever: close it and fail. Only a
        // box still up at the tick after the one that first saw it is unexpected, so a tick that
        // happens to come just before a test answers its box takes nothing from the test.
        watchdog.setInterval(300);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box == waitingBox) {
                ADD_FAILURE() << "unexpected message: " << box->windowTitle().toStdString() << " | "
                              << box->text().toStdString();
                box->reject();
                box = nullptr;
            }
            waitingBox = box;
        });
        watchdog.start();
    }
    void TearDown() override
    {
        // The answerer's texts belong to the test body, which has ended.
        answerer.stop();
        watchdog.stop();
        window.reset();
        if (hadDataHome)
            qputenv("XDG_DATA_HOME", savedDataHome);
        else
            qunsetenv("XDG_DATA_HOME");
        TestFolder::TearDown();
    }
    // The progress log of the window, under the scratch folder.
    std::filesystem::path progressFile() const
    {
        return folder / "home-data" / "Partwriter" / "progress.sqlite";
    }

    // Starts the window, shown, so that the staff paints and the task flow runs.
    pw::TForm1 &start(const std::vector<std::string> &arguments = {})
    {
        window = std::make_unique<pw::TForm1>(tdm);
        EXPECT_TRUE(window->Start(arguments));
        window->resize(1000, 700);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        settle();
        return *window;
    }
    // Lets queued repaints and their evaluation run.
    static void settle()
    {
        for (int i = 0; i < 4; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents();
        }
    }

    template<typename T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(name);
    }
    // Shown inside the window (whether or not the window itself is on screen).
    bool shown(const char *name) const
    {
        auto *widget = child<QWidget>(name);
        return widget && widget->isVisibleTo(window.get());
    }

    void key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), static_cast<Qt::Key>(qtKey), mods);
        settle();
    }
    // Plays a MIDI note in the current voice with a note key, moving the voice's octave offset so
    // that some key of the row reaches it.
    void playByKey(int midiNote);
    // Opens a harmony exercise written into xml/<name>.
    void openExercise(const std::string &name, const std::string &xml)
    {
        write("xml/" + name, xml);
        window->OpenLesson(pw::LessonKind::HarmonyExercise, "xml\\" + name, "");
        settle();
    }
    // Closes the next message box when it comes up with the given button (OK when it has none
    // of that kind), keeping its caption and text.
    void closeNextMessage(std::string *text, QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        QTimer::singleShot(0, [text, answer] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                if (text)
                    *text = box->windowTitle().toStdString() + "|" + box->text().toStdString();
                if (QAbstractButton *button = box->button(answer))
                    button->click();
                else if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->accept();
            }
        });
    }

    // From now on every message box is answered at once (Yes, else OK) and its "caption|text"
    // kept, also the ones that come up inside other dialogs.
    void answerEveryMessage(std::vector<std::string> *texts)
    {
        answerer.setInterval(10);
        QObject::connect(&answerer, &QTimer::timeout, [texts] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts->push_back(box->windowTitle().toStdString() + "|" + box->text().toStdString());
                if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                    yes->click();
                else if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->accept();
            }
        });
        answerer.start();
    }

    pw::Tdm tdm;
    std::unique_ptr<pw::TForm1> window;
    QByteArray savedDataHome;
    bool hadDataHome = false;
    QTimer watchdog;
    QPointer<QMessageBox> waitingBox;
    QTimer answerer;
};

// A C major part of four quarters, every voice written by the student.
std::string CadenceExercise(const std::string &attributes);
// Notes of the cadence T S D T in close position, in entry order (each chord bass to soprano).
extern const std::vector<int> CadenceNotes;
// The same with parallel octaves from T to S.
extern const std::vector<int> ParallelNotes;
