// 3D lessons ("ORB3D") in the main window: the drawing window in the lesson area, the scene
// counter below it, and the digit keys that switch views.

#include "shell/main_window.h"

#include "panels/bottom_3d.h"
#include "platform/file_paths.h"
#include "platform/qt_text.h"
#include "shell/scene_window.h"
#include "shell/video_pane.h"

namespace pw {

void TForm1::openScene()
{
    if (!Tform3d::OpenGlAvailable()) {
        m_ui.message("Ошибка", "Трёхмерные сцены рисуются через OpenGL, а он на этом экране недоступен");
        openUnavailable();
        return;
    }
    arrange(Panes::Scene);
    m_form3d = new Tform3d(m_ui, m_random, m_p3d);
    m_form3d->setGeometry(0, 0, m_p3d->width(), m_p3d->height());
    m_form3d->show();
    m_bottom3d = new TBottom3D(m_lowerArea);
    m_bottom3d->SetTexts(m_texts);
    m_bottom3d->setGeometry(0, 0, m_lowerArea->width(), m_lowerArea->height());
    m_bottom3d->show();
    // Named like every other lesson file: from the course folder, whatever the working directory.
    orb3d &scenes = m_form3d->Scenes();
    if (!scenes.LoadScenes(ResolveDataPath(m_tdm.DataDir, m_lessonFile)))
        return;
    m_task.Iterations = scenes.SceneCount();
    m_task.Attempts = 1;
    m_form3d->Attach();
    m_form3d->setFocus();
    m_keysActive = 1;
    refreshSceneCounter();
}

void TForm1::freeScene()
{
    delete m_form3d;
    m_form3d = nullptr;
    delete m_bottom3d;
    m_bottom3d = nullptr;
}

bool TForm1::sceneKey(int key)
{
    if (!m_form3d || key < Qt::Key_1 || key > Qt::Key_9)
        return false;
    const int view = key - Qt::Key_1;
    orb3d &scenes = m_form3d->Scenes();
    if (view >= scenes.SceneCount())
        return true;
    scenes.SelectScene(view);
    m_task.Attempts = view + 1;
    m_form3d->setGeometry(0, 0, m_p3d->width(), m_p3d->height());
    m_form3d->Attach();
    refreshSceneCounter();
    return true;
}

void TForm1::refreshSceneCounter()
{
    if (!m_bottom3d || !m_form3d)
        return;
    m_bottom3d->SetCounter(m_task.Attempts, m_task.Iterations);
    m_bottom3d->SetCaption(
        ToQString(GetAttrLang(m_form3d->Scenes().CurrentSceneNode(), "Text", m_tdm.Language)));
}

} // namespace pw
