// A 3D lesson in the main window on a real OpenGL surface (the X server of xvfb-run): the drawing
// window and its counter, the digit keys that switch views, the animation, resizing, and the
// scene's failures.

#include "main_window_fixture.h"

#include "scene3d/orb3d.h"
#include "shell/course_trees.h"
#include "shell/scene_window.h"

#include <QLabel>
#include <QOpenGLContext>

using namespace pw;

namespace {

// Three views, each cleared to its own colour; the second animates a variable.
constexpr const char *ThreeViews = R"(<?xml version="1.0" encoding="UTF-8"?>
<Scenes>
  <Scene color="0,0,1" Text="Синий" TextEnglish="Blue"/>
  <Scene color="1,0,0" Text="Красный" TextEnglish="Red">
    <DEF n="t" v="0"/><CALC n="t" v="t+1"/>
    <SET li="" O="0,Width,0,Height,-1,1"/>
    <QUAD color="0,1,0" C1="0,0" C2="10,0" C3="10,10" C4="0,10"/>
    <RESTORE/>
  </Scene>
  <Scene color="0,1,0"/>
</Scenes>
)";

class SceneLesson : public MainWindowFixture
{
protected:
    void openScenes(const std::string &xml = ThreeViews)
    {
        write("xml/views.xml", xml);
        window->OpenLesson(LessonKind::Scene3D, "xml\\views.xml", "");
        settle();
    }
    Tform3d *form() const { return child<Tform3d>("Tform3d"); }
    QString counter() const { return child<QLabel>("Iterations")->text(); }
    QString caption() const { return child<QLabel>("Caption")->text(); }
    // Waits until the window has drawn at least n more times.
    bool waitFrames(long n)
    {
        const long until = form()->Frames() + n;
        return QTest::qWaitFor([&] { return form()->Frames() >= until; }, 5000);
    }
    QColor centre()
    {
        const QImage image = form()->grabFramebuffer();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
};

TEST_F(SceneLesson, OpensOnTheFirstViewAndTheDigitsSwitchViews)
{
    start();
    openScenes();
    ASSERT_TRUE(form());
    EXPECT_TRUE(shown("Tform3d"));
    EXPECT_TRUE(shown("p3d"));
    EXPECT_TRUE(shown("TBottom3D"));
    EXPECT_FALSE(shown("wb"));
    EXPECT_FALSE(shown("pb"));
    EXPECT_EQ(window->task().Iterations, 3);
    EXPECT_EQ(window->task().Attempts, 1);
    EXPECT_EQ(counter(), "1 / 3");
    EXPECT_EQ(caption(), "Синий");
    EXPECT_EQ(form()->size(), child<QWidget>("p3d")->size());
    ASSERT_TRUE(form()->context() && form()->context()->isValid()) << "no OpenGL under this X server";
    ASSERT_TRUE(waitFrames(1));
    EXPECT_EQ(centre(), QColor(0, 0, 255));

    // 3 is a length shortcut of the exercises; here it is the third view.
    key(Qt::Key_3);
    EXPECT_EQ(form()->Scenes().CurrentScene(), 2);
    EXPECT_EQ(counter(), "3 / 3");
    EXPECT_EQ(window->task().Attempts, 3);
    ASSERT_TRUE(waitFrames(1));
    EXPECT_EQ(centre(), QColor(0, 255, 0));

    // There is no fourth view; other keys leave the view alone.
    key(Qt::Key_4);
    key(Qt::Key_A);
    EXPECT_EQ(counter(), "3 / 3");
    key(Qt::Key_2);
    EXPECT_EQ(counter(), "2 / 3");
    EXPECT_EQ(caption(), "Красный");
    ASSERT_TRUE(waitFrames(1));
    EXPECT_EQ(centre(), QColor(255, 0, 0));
    // The exercise's note length was not touched by the digits.
    EXPECT_EQ(window->exercise().CurrentLength(), 8);
}

TEST_F(SceneLesson, TheBundledLessonAnimatesEveryViewOfItsSet)
{
    start({"-l", "English"});
    ASSERT_TRUE(window->courseTrees().ActivateLesson("ORB3D", "xml\\scenes-harmony.xml"));
    settle();
    ASSERT_TRUE(form());
    const int views = form()->Scenes().SceneCount();
    ASSERT_GE(views, 3);
    EXPECT_EQ(counter(), "1 / " + QString::number(views));
    for (int view = 0; view < views; ++view) {
        key(Qt::Key_1 + view);
        EXPECT_EQ(counter(), QString::number(view + 1) + " / " + QString::number(views));
        EXPECT_FALSE(caption().isEmpty());
        ASSERT_TRUE(waitFrames(2)) << view;
        const QImage first = form()->grabFramebuffer();
        // Some views change only every second or two (25 drawings a second).
        bool moved = false;
        for (int frame = 0; frame < 80 && !moved; frame += 4) {
            ASSERT_TRUE(waitFrames(4)) << view;
            moved = form()->grabFramebuffer() != first;
        }
        EXPECT_TRUE(moved) << "view " << view << " stands still";
    }
}

TEST_F(SceneLesson, ThePanelSpeaksTheInterfaceLanguage)
{
    start({"-l", "English"});
    openScenes();
    EXPECT_EQ(caption(), "Blue");
    EXPECT_EQ(child<QLabel>("Label1")->text(), "View");
    EXPECT_EQ(child<QLabel>("Iterations")->font().pixelSize(), 45);
    EXPECT_EQ(child<QLabel>("TimeRest")->text(), "");
    // A view without a caption of its own shows the panel's text.
    key(Qt::Key_3);
    EXPECT_EQ(caption(), "Navigation (and perhaps XML editing) will be here");
}

TEST_F(SceneLesson, TheViewAnimatesAndFollowsTheWindowSize)
{
    start();
    openScenes();
    key(Qt::Key_2);
    ASSERT_TRUE(waitFrames(1));
    const double before = form()->Scenes().Values().Variable("t").value_or(-1);
    // The window redraws by itself, a frame at a time.
    ASSERT_TRUE(waitFrames(3));
    EXPECT_GE(form()->Scenes().Values().Variable("t").value_or(-1), before + 3);
    // The quad at the origin of a pixel box sits in the bottom-left corner.
    const QImage image = form()->grabFramebuffer();
    EXPECT_EQ(image.pixelColor(2, image.height() - 3), QColor(0, 255, 0));

    window->resize(1200, 800);
    settle();
    ASSERT_TRUE(waitFrames(1));
    const QSize area = child<QWidget>("p3d")->size();
    EXPECT_EQ(form()->size(), area);
    EXPECT_EQ(form()->Scenes().Values().Variable("Width").value_or(0),
              area.width() * form()->devicePixelRatioF());
    EXPECT_EQ(form()->Scenes().Values().Variable("Height").value_or(0),
              area.height() * form()->devicePixelRatioF());
}

TEST_F(SceneLesson, AnotherLessonFreesTheWindowAndThePanel)
{
    start();
    openScenes();
    ASSERT_TRUE(form());
    QPointer<Tform3d> scene = form();
    window->OpenLesson(LessonKind::Page, "html\\theory-functions.html", "");
    settle();
    EXPECT_TRUE(scene.isNull());
    EXPECT_FALSE(child<QWidget>("TBottom3D"));
    EXPECT_TRUE(shown("wb"));
    // The digits are the exercise's lengths again.
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\empty.xml", "");
    settle();
    key(Qt::Key_2);
    EXPECT_EQ(window->exercise().CurrentLength(), 4);
}

TEST_F(SceneLesson, AMissingFileIsToldAndAFaultyFormulaOnlyOnce)
{
    start();
    std::string text;
    closeNextMessage(&text);
    window->OpenLesson(LessonKind::Scene3D, "xml\\no-such-scenes.xml", "");
    settle();
    EXPECT_EQ(text, "Ошибка|Файл не найден");
    EXPECT_EQ(counter(), "");

    std::vector<std::string> texts;
    answerEveryMessage(&texts);
    openScenes(R"(<Scene><POINT C="NOSUCH(1),0"/></Scene>)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form()->Frames() >= 1; }, 5000));
    // The window stops redrawing a failing view by itself; repaints still fail quietly.
    for (int i = 0; i < 3; ++i) {
        form()->update();
        ASSERT_TRUE(waitFrames(1));
    }
    settle();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("Ошибка|Ошибка в сцене: ")) << texts[0];
}

} // namespace
