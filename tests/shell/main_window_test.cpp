#include "main_window_fixture.h"

#include "document/har_exercis.h"
#include "midi/shared_midi.h"
#include "panels/bottom_piano.h"
#include "shell/course_activation.h"
#include "shell/course_trees.h"
#include "shell/no_midi_notice.h"
#include "shell/page_pane.h"
#include "shell/staff_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace pw;

namespace {

using MainWindow = MainWindowFixture;

QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &caption)
{
    const auto found = tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

} // namespace

TEST_F(MainWindow, StartsOnTheStartLessonWithLocalisedToolbar)
{
    start({"-l", "English"});
    EXPECT_EQ(window->data().Language, "English");
    EXPECT_NE(child<QToolBar>("sToolBar1"), nullptr);
    auto *bass = child<QToolButton>("tbVoice0");
    ASSERT_NE(bass, nullptr);
    EXPECT_EQ(bass->toolTip(), "Voice: bass");
    EXPECT_GT(window->exercise().PartCount(), 0);
    EXPECT_EQ(window->exercise().OctOffset[0], -1);
    // The bass is given in the start lesson: its button is disabled, the tenor's is current.
    EXPECT_FALSE(bass->isEnabled());
    EXPECT_TRUE(child<QToolButton>("tbVoice1")->isChecked());
}

TEST_F(MainWindow, NotesTakeTheRoadIntoTheExerciseAndOffsetsAreSavedAtExit)
{
    start();
    const int before = window->exercise().InsertCount;
    window->NoteHandler(0, 144, 65, 90);
    window->NoteHandler(0, 144, 65, 0);
    EXPECT_EQ(window->exercise().InsertCount, before + 1);
    window->exercise().OctOffset[3] = 1;
    window->close();
    EXPECT_NE(read(folder / "parms.xml").find("octoffset3=\"1\""), std::string::npos);
}

TEST_F(MainWindow, HarmonyLessonShowsStaffScrollBarAndPiano)
{
    start();
    EXPECT_TRUE(shown("pb"));
    EXPECT_TRUE(shown("sb"));
    EXPECT_TRUE(shown("hlp"));
    EXPECT_TRUE(shown("BottomPiano"));
    EXPECT_FALSE(shown("wb"));
    EXPECT_FALSE(shown("pVC"));
    EXPECT_FALSE(shown("p3d"));
    EXPECT_FALSE(child<QToolButton>("tbPrint")->isEnabled()) << "nothing to print on the staff";
    auto *piano = child<QWidget>("BottomPiano");
    EXPECT_EQ(piano->parentWidget(), child<QWidget>("hlp"));
    EXPECT_EQ(piano->width(), child<QWidget>("hlp")->width());
    auto *staff = child<QWidget>("pb");
    EXPECT_EQ(staff->y(), 0);
    EXPECT_EQ(staff->geometry().bottom() + 1, child<QWidget>("hlp")->y()) << "the staff reaches down to hlp";
    EXPECT_EQ(child<QWidget>("hlp")->geometry().bottom() + 2, child<QWidget>("pMainArea")->height());
}

TEST_F(MainWindow, WindowAndSplitterKeepTheirMinimumSizes)
{
    start();
    EXPECT_EQ(window->minimumSize(), QSize(800, 600));
    auto *splitter = child<QSplitter>("sSplitter2");
    splitter->setSizes({100, 900});
    settle();
    EXPECT_GE(child<QWidget>("pMenu")->width(), 240);
}

TEST_F(MainWindow, CourseTreeInTheMenuPanelOpensPagesAndExercises)
{
    start();
    auto *tree = child<QTreeWidget>("tvMenu");
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(child<QWidget>("pMenu")->isAncestorOf(tree));

    QTreeWidgetItem *page = findNode(tree, "Функции T, S, D");
    ASSERT_NE(page, nullptr);
    window->courseTrees().Activate(TCourseTrees::ItemIndex(page), page);
    settle();
    EXPECT_EQ(window->windowTitle(), "Теория :: Функции T, S, D");
    EXPECT_EQ(window->lessonType(), "HTMLText");
    EXPECT_TRUE(shown("wb"));
    EXPECT_FALSE(shown("pb"));
    EXPECT_FALSE(shown("BottomPiano")) << "a page has no lower panel";
    EXPECT_FALSE(child<QToolButton>("tbVoice0")->isVisible());
    EXPECT_TRUE(child<QToolButton>("tbPrint")->isEnabled());
    auto *browser = child<QTextBrowser>("wb");
    EXPECT_EQ(browser->geometry(), child<QWidget>("pMainArea")->rect()) << "a page fills the main area";
    EXPECT_TRUE(browser->toPlainText().contains("T")) << browser->toPlainText().toStdString();

    QTreeWidgetItem *exercise = findNode(tree, "Гармонизация сопрано в миноре");
    ASSERT_NE(exercise, nullptr);
    window->courseTrees().Activate(TCourseTrees::ItemIndex(exercise), exercise);
    settle();
    EXPECT_EQ(window->lessonType(), "MusHarmonyExercise");
    EXPECT_TRUE(shown("pb"));
    EXPECT_FALSE(shown("wb")) << "the pause page was toggled away at the opening";
    EXPECT_FALSE(window->paused());
    EXPECT_TRUE(shown("BottomPiano"));
    EXPECT_FALSE(child<QToolButton>("tbPrint")->isEnabled());
}

TEST_F(MainWindow, EnglishCoursePagesUseTheirVariants)
{
    start({"-l", "English"});
    window->ShowPage("html\\theory-functions.html");
    settle();
    EXPECT_TRUE(child<QTextBrowser>("wb")->source().toLocalFile().endsWith("theory-functionsEnglish.html"));
}

TEST_F(MainWindow, KindsThisVersionDoesNotRunShowANoticePage)
{
    start();
    for (const char *type : {"Crossword"}) {
        window->OpenLesson(LessonKindOf(type), "xml\\anything.xml", "");
        settle();
        EXPECT_TRUE(shown("wb")) << type;
        EXPECT_FALSE(shown("pb")) << type;
        EXPECT_FALSE(shown("BottomPiano")) << type;
        EXPECT_TRUE(child<QTextBrowser>("wb")->toPlainText().contains("не поддерживаются")) << type;
    }
}

TEST_F(MainWindow, VideoLessonShowsTheVideoPanes)
{
    start();
    // A missing file leaves the video pane empty; the staff and pages are gone all the same.
    window->OpenLesson(LessonKind::Video, "video\\missing.webm", "");
    settle();
    EXPECT_TRUE(shown("p3d"));
    EXPECT_FALSE(shown("pb"));
    EXPECT_FALSE(shown("wb"));
    EXPECT_FALSE(shown("BottomPiano"));
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\Chromo-major-bemol.xml", "");
    settle();
    EXPECT_FALSE(shown("p3d"));
    EXPECT_TRUE(shown("pb"));
}

TEST_F(MainWindow, TheDebugItemOfTheMenuIsTheStartLesson)
{
    std::string menu = read(folder / "xml" / "Menu.xml");
    const std::string marker = "<Item Level=\"1\" Type=\"HTMLText\" File=\"html\\theory-spacing.html\"";
    const auto at = menu.find(marker);
    ASSERT_NE(at, std::string::npos);
    menu.insert(at + 5, " Debug=\"Y\" Text=\"Spacing\"");
    write("xml/Menu.xml", menu);
    start();
    EXPECT_EQ(window->lessonType(), "HTMLText");
    EXPECT_TRUE(child<QTextBrowser>("wb")->source().toLocalFile().endsWith("theory-spacing.html"));
}

// The start lesson is chosen as in the tree: its node, the caption, and its pause page on Space.
TEST_F(MainWindow, TheStartLessonIsChosenAsInTheTree)
{
    start();
    QTreeWidget *course = child<QTreeWidget>("tvMenu");
    ASSERT_NE(course->currentItem(), nullptr);
    EXPECT_EQ(course->currentItem()->text(0), "Гармонизация баса в бемольных мажорах");
    EXPECT_EQ(window->windowTitle(), "Упражнения на гармонизацию :: Гармонизация баса в бемольных мажорах");
    EXPECT_TRUE(window->task().Timer->enabled());
    key(Qt::Key_Space);
    EXPECT_TRUE(window->paused()) << "its pause page is there";
    EXPECT_TRUE(shown("wb"));
}

// Leaving the authoring template with unsaved changes asks Save / Discard / Cancel.
TEST_F(MainWindow, UnsavedAuthoringWorkIsNotLeftWithoutAsking)
{
    start();
    QTreeWidget *course = child<QTreeWidget>("tvMenu");
    ASSERT_TRUE(window->courseTrees().ActivateLesson("MusHarmonyExercise", "xml\\empty.xml"));
    settle();
    QTreeWidgetItem *authoring = course->currentItem();
    window->NoteHandler(0, 144, 48, 90);
    settle();

    QTreeWidgetItem *page = findNode(course, "Функции T, S, D");
    ASSERT_NE(page, nullptr);
    course->scrollToItem(page);
    const auto clickPage = [&] {
        QTest::mouseClick(course->viewport(), Qt::LeftButton, {}, course->visualItemRect(page).center());
        settle();
    };
    std::string asked;
    closeNextMessage(&asked, QMessageBox::Cancel);
    clickPage();
    EXPECT_EQ(asked, "Несохранённые изменения|Сохранить изменения в упражнении?");
    EXPECT_EQ(window->lessonType(), "MusHarmonyExercise") << "Cancel stays";
    EXPECT_EQ(course->currentItem(), authoring) << "and the tree shows the lesson in hand";
    EXPECT_EQ(window->exercise().Doc->select_nodes("//Note").size(), 1u) << "the note is still there";

    closeNextMessage(&asked, QMessageBox::Discard);
    clickPage();
    EXPECT_EQ(window->lessonType(), "HTMLText");

    // Untouched work is left without a question.
    ASSERT_TRUE(window->courseTrees().ActivateLesson("MusHarmonyExercise", "xml\\empty.xml"));
    settle();
    clickPage();
    EXPECT_EQ(window->lessonType(), "HTMLText");
}

// Settings that cannot be written (a folder where parms.xml should be) are told once, and the
// program runs on: neither start, a changed setting nor closing the window ends it.
TEST_F(MainWindow, SettingsThatCannotBeSavedAreToldOnceAndTheProgramRunsOn)
{
    std::filesystem::remove(folder / "parms.xml");
    std::filesystem::create_directories(folder / "parms.xml" / "inside");
    std::vector<std::string> told;
    answerEveryMessage(&told);
    start();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rfind("Не сохранено|Настройки не сохранены.", 0), 0u) << told[0];
    EXPECT_NE(
        told[0].find("Не удалось записать файл " + (folder / "parms.xml").string() + ": Is a directory"),
        std::string::npos)
        << told[0];
    // Without settings the start is a first start: the welcome page, whose switch is saved (and
    // fails) again, and the exercise it leads to.
    EXPECT_TRUE(child<TPagePane>("wb")->CurrentFile().string().ends_with("welcome.html"));
    child<TPagePane>("wb")->FollowLink(QUrl("partwriter:first-exercise"));
    settle();
    EXPECT_EQ(window->lessonType(), "MusHarmonyExercise");
    window->close();
    settle();
    EXPECT_EQ(told.size(), 1u) << "told once a run";
    EXPECT_TRUE(std::filesystem::is_directory(folder / "parms.xml" / "inside"));
}

// The worked example opens with its analysis, and every exercise says what to write.
TEST_F(MainWindow, TheExampleShowsItsLabelsAndEveryExerciseItsTask)
{
    start();
    ASSERT_TRUE(window->courseTrees().ActivateLesson("MusHarmonyExercise", "xml\\Cadence-example.xml"));
    settle();
    const auto labels = window->exercise().Doc->select_nodes("//Voice[@Type='Def']/Note[@Text='T']");
    EXPECT_GE(labels.size(), 4u) << "T S D T of both parts are named";
    EXPECT_TRUE(child<QLabel>("lWhy")->text().startsWith("Образец: каденция"));

    ASSERT_TRUE(window->courseTrees().ActivateLesson("MusHarmonyExercise", "xml\\Positions-major.xml"));
    settle();
    EXPECT_TRUE(child<QLabel>("lWhy")->text().contains("мелодическое положение"));
    EXPECT_EQ(window->exercise().Doc->select_nodes("//Voice[@Type='Def']/Note").size(), 0u)
        << "an exercise the student writes is not analysed ahead";
}

TEST_F(MainWindow, ClicksOnThePianoEnterNotes)
{
    start();
    auto *octave = child<QWidget>("Image3");
    ASSERT_NE(octave, nullptr);
    const int before = window->exercise().InsertCount;
    // The lower half of the leftmost white key: C4.
    QTest::mouseClick(octave, Qt::LeftButton, {}, QPoint(3, octave->height() - 5));
    settle();
    EXPECT_EQ(window->exercise().InsertCount, before + 1);
    bool sounded = false;
    for (const auto &sent : TestMidi().sent())
        sounded = sounded || (sent.packed & 0xffffu) == (0x90u | (60u << 8));
    EXPECT_TRUE(sounded) << "the note is echoed to the output";
}

TEST_F(MainWindow, PianoButtonsFollowTheDocument)
{
    start();
    // A fresh exercise: nothing to undo.
    auto *undo = child<QWidget>("tUndo");
    ASSERT_NE(undo, nullptr);
    EXPECT_FALSE(child<QToolButton>("tbUndo")->isEnabled());
    window->NoteHandler(0, 144, 55, 90);
    settle();
    EXPECT_TRUE(child<QToolButton>("tbUndo")->isEnabled());
}

TEST_F(MainWindow, ResizingKeepsTheLowerAreaAtTheBottom)
{
    start();
    window->resize(1200, 800);
    settle();
    auto *area = child<QWidget>("pMainArea");
    auto *lower = child<QWidget>("hlp");
    EXPECT_EQ(lower->geometry().bottom() + 2, area->height());
    EXPECT_EQ(lower->width(), area->width());
    EXPECT_EQ(child<QWidget>("BottomPiano")->width(), area->width());
    EXPECT_EQ(child<QWidget>("sb")->geometry().right() + 1, area->width());
}

TEST_F(MainWindow, SpaceReleasedInThePausePageEndsThePause)
{
    start();
    TCourseLesson lesson;
    lesson.LessonType = "MusHarmonyExercise";
    lesson.LessonFile = "xml\\Chromo-major-bemol.xml";
    lesson.PauseFile = "html\\pause-harmony.html";
    window->OpenCourseLesson(lesson);
    settle();
    window->PauseToggle();
    ASSERT_TRUE(window->paused());
    auto *page = child<QTextBrowser>("wb");
    EXPECT_TRUE(page->toPlainText().contains("упражнени")) << page->toPlainText().toStdString();
    // The page has the keyboard, as after a click into it.
    QTest::keyRelease(page, Qt::Key_Space);
    settle();
    EXPECT_FALSE(window->paused());
    EXPECT_FALSE(shown("wb"));
}

TEST_F(MainWindow, TheHelpButtonShowsTheAboutWindowOverTheMainWindow)
{
    start({"-l", "English"});
    QString title;
    QString page;
    QTimer::singleShot(0, [&] {
        QWidget *about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        if (auto *browser = about->findChild<QTextBrowser *>("wbAbout"))
            page = browser->source().toLocalFile();
        about->close();
    });
    QTest::mouseClick(child<QToolButton>("tbHelp"), Qt::LeftButton);
    EXPECT_EQ(title, "About");
    EXPECT_TRUE(page.endsWith("html/aboutEnglish.html")) << page.toStdString();
}

TEST_F(MainWindow, TheSoundSwitchIsSavedInTheSettings)
{
    start();
    auto *sound = child<QToolButton>("tbSound");
    ASSERT_TRUE(sound->isEnabled()) << "the test output is selected";
    ASSERT_TRUE(window->soundOn());
    QTest::mouseClick(sound, Qt::LeftButton);
    EXPECT_FALSE(window->soundOn());
    EXPECT_NE(read(folder / "parms.xml").find("Play=\"No\""), std::string::npos);
    QTest::mouseClick(sound, Qt::LeftButton);
    EXPECT_TRUE(window->soundOn());
    EXPECT_EQ(read(folder / "parms.xml").find("Play="), std::string::npos);
}

namespace {

// Every window of these tests talks to the in-memory MIDI devices.
class TestMidiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        SetSharedMidiBackend(std::shared_ptr<MidiBackend>(&TestMidi(), [](MidiBackend *) {}));
    }
};

const auto *const testMidiEnvironment = ::testing::AddGlobalTestEnvironment(new TestMidiEnvironment);

} // namespace

MemoryMidiBackend &TestMidi()
{
    static MemoryMidiBackend backend({}, {"Test out"});
    return backend;
}

// A key of the on-screen piano shows pressed while its note sounds, from any keyboard.
TEST_F(MainWindow, ThePianoShowsTheNotesThatSound)
{
    start();
    auto *piano = child<TBottomPiano>("BottomPiano");
    ASSERT_NE(piano, nullptr);
    window->NoteHandler(0, 144, 64, 90);
    EXPECT_TRUE(piano->Sounding(64)) << "a MIDI keyboard";
    window->NoteHandler(0, 128, 64, 0);
    EXPECT_FALSE(piano->Sounding(64));
    window->NoteHandler(0, 144, 67, 80);
    window->NoteHandler(0, 144, 67, 0);
    EXPECT_FALSE(piano->Sounding(67)) << "a note-on of velocity 0 ends the note";
}

// A first start (settings never welcomed) opens the welcome page with the key map beside it; without
// a MIDI input the page says the computer keys play, and the notice does not come up as well. Its
// link opens the first exercise; the next start goes straight to the start lesson.
TEST_F(MainWindow, TheFirstStartWelcomesAndTheNextGoesToTheLesson)
{
    write("parms.xml",
          "<Parameters octoffset0=\"-1\"><MidiInput/><MidiOutput><Dev>Test "
          "out</Dev></MidiOutput></Parameters>");
    start();
    auto *page = child<TPagePane>("wb");
    EXPECT_TRUE(shown("wb"));
    EXPECT_TRUE(page->toPlainText().contains("Добро пожаловать в Partwriter"));
    EXPECT_TRUE(page->toPlainText().contains("клавишами компьютера"));
    EXPECT_TRUE(page->CurrentFile().string().ends_with("welcome.html"));
    // The key map stands in the page's bottom right corner, clear of its beginning.
    auto *keys = child<QWidget>("TfKeys");
    ASSERT_TRUE(keys);
    const QRect area(child<QWidget>("pMainArea")->mapToGlobal(QPoint(0, 0)),
                     child<QWidget>("pMainArea")->size());
    EXPECT_GT(keys->geometry().top(), area.top() + area.height() / 3);
    EXPECT_NE(read(folder / "parms.xml").find("welcomed=\"Y\""), std::string::npos);

    page->FollowLink(QUrl("partwriter:first-exercise"));
    settle();
    EXPECT_EQ(window->lessonKind(), LessonKind::HarmonyExercise);
    EXPECT_TRUE(shown("pb"));
    EXPECT_FALSE(child<QWidget>("TnoMidiTotal"));
    EXPECT_FALSE(child<QWidget>("TnoMidi"));
    // Relative links of the page still lead to course pages.
    window->ShowWelcome();
    settle();
    page->FollowLink(QUrl("theory-functions.html"));
    EXPECT_TRUE(page->CurrentFile().string().ends_with("theory-functions.html"));

    window.reset();
    start();
    EXPECT_EQ(window->lessonKind(), LessonKind::HarmonyExercise);
    EXPECT_FALSE(child<QWidget>("TfKeys"));
}

TEST_F(MainWindow, TheWelcomeSpeaksEnglish)
{
    write("parms.xml", "<Parameters nomessagemidi=\"Y\"><MidiInput/><MidiOutput/></Parameters>");
    start({"-l", "English"});
    const QString text = child<TPagePane>("wb")->toPlainText();
    EXPECT_TRUE(text.contains("Welcome to Partwriter"));
    EXPECT_TRUE(text.contains("computer keys"));
    EXPECT_FALSE(text.contains(QRegularExpression("[А-яЁё]"))) << text.toStdString();
}
