#include "support/test_folder.h"

#include "config/localization.h"
#include "config/settings_file.h"
#include "config/tdm.h"
#include "document/xml_file.h"
#include "platform/recording_ui.h"

using namespace pw;

TEST(CommandLine, OptionsInPairs)
{
    struct Case
    {
        std::vector<std::string> args;
        std::string dataDir, language, menu;
        bool ok;
        std::string unknown;
    };
    const Case cases[] = {
        {{}, "/exe/", "Russian", "Menu", true, ""},
        {{"-d", "/data/", "-l", "English", "-m", "Course"}, "/data/", "English", "Course", true, ""},
        {{"-l"}, "/exe/", "", "Menu", true, ""},
        {{"-d"}, "", "Russian", "Menu", true, ""},
        {{"-m", "Other", "  ", "-x"}, "/exe/", "Russian", "Other", true, ""},
        {{"-x", "1"}, "/exe/", "Russian", "Menu", false, "-x"},
        {{"-l", "German", "-q"}, "/exe/", "German", "Menu", false, "-q"},
        // The long forms, with their value after "=" or in the next argument.
        {{"--data-dir", "/data/", "--language=English", "--menu", "Course"},
         "/data/",
         "English",
         "Course",
         true,
         ""},
        {{"--data-dir=/d/", "-l", "English"}, "/d/", "English", "Menu", true, ""},
        {{"--colour", "red"}, "/exe/", "Russian", "Menu", false, "--colour"},
    };
    for (const Case &c : cases) {
        Tdm tdm {"/exe/", "/exe/", "Russian", "Menu"};
        const CommandLineResult result = ReadCommandLine(c.args, tdm);
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.unknownArgument, c.unknown);
        EXPECT_EQ(tdm.DataDir, c.dataDir);
        EXPECT_EQ(tdm.Language, c.language);
        EXPECT_EQ(tdm.MenuName, c.menu);
    }
}

TEST(CommandLine, HelpAndVersionEndTheReading)
{
    Tdm tdm {"/exe/", "/exe/", "Russian", "Menu"};
    EXPECT_EQ(ReadCommandLine({"-l", "English", "--help", "-x"}, tdm).action, CommandLineAction::Help);
    EXPECT_EQ(tdm.Language, "English");
    EXPECT_EQ(ReadCommandLine({"--version"}, tdm).action, CommandLineAction::Version);
    EXPECT_EQ(ReadCommandLine({"-h"}, tdm).action, CommandLineAction::Help);
    EXPECT_EQ(ReadCommandLine({"-d", "/x/"}, tdm).action, CommandLineAction::Run);

    std::string language = "Russian";
    EXPECT_TRUE(WantsInformation({"--help", "--language=English"}, &language));
    EXPECT_EQ(language, "English");
    EXPECT_FALSE(WantsInformation({"-d", "--help-me"}, nullptr));
}

class Settings : public TestFolder
{
protected:
    RecordingUi ui;
    Localization texts;
};

TEST_F(Settings, MissingListsAreAddedAndSavedAtStart)
{
    write("parms.xml",
          "<Parameters Play=\"No\" octoffset0=\"-1\"><MidiInput><Dev>Keys</Dev></MidiInput></Parameters>");
    SettingsFile settings(folder, ui, texts);
    settings.LoadAtStart();
    EXPECT_NE(read(folder / "parms.xml").find("<MidiOutput"), std::string::npos);
    EXPECT_TRUE(settings.PlayOff());
    EXPECT_EQ(settings.OctaveOffsets(), (std::array<int, 4> {-1, 0, 0, 0}));
    EXPECT_EQ(settings.SelectedDevices("MidiInput"), (std::vector<std::string> {"Keys"}));
}

TEST_F(Settings, OctaveOffsetsPastTheKeyboardAreTakenAsTheNearest)
{
    write("parms.xml", "<Parameters octoffset0=\"2147483647\" octoffset1=\"-9\" octoffset2=\"4\"/>");
    SettingsFile settings(folder, ui, texts);
    settings.LoadAtStart();
    EXPECT_EQ(settings.OctaveOffsets(), (std::array<int, 4> {MaxOctaveOffset, -MaxOctaveOffset, 4, 0}));
}

TEST_F(Settings, UnreadableFileIsReplacedByAnEmptyOne)
{
    write("parms.xml", "<Parameters><MidiInput>");
    SettingsFile settings(folder, ui, texts);
    settings.LoadAtStart();
    pugi::xml_document saved;
    ASSERT_TRUE(LoadXmlFile(saved, folder / "parms.xml"));
    EXPECT_TRUE(SelectNode(saved, "/Parameters/MidiInput"));
    EXPECT_TRUE(SelectNode(saved, "/Parameters/MidiOutput"));
}

TEST_F(Settings, ChangesAreKeptAndWrittenBack)
{
    SettingsFile settings(folder, ui, texts);
    settings.LoadAtStart();
    settings.Select("MidiOutput", "Software synthesizer", true);
    settings.Select("MidiOutput", "Software synthesizer", true);
    settings.Select("MidiOutput", "Out B", true);
    settings.Select("MidiOutput", "Out B", false);
    settings.SetPlayOff(true);
    settings.SetPlayOff(false);
    settings.SetSpecialMoveType(1);
    settings.SetOctaveOffsets({1, 0, -2, 0});
    settings.SetNoMidiMessage(true);
    settings.Save();

    SettingsFile again(folder, ui, texts);
    again.LoadAtStart();
    EXPECT_EQ(again.SelectedDevices("MidiOutput"), (std::vector<std::string> {"Software synthesizer"}));
    EXPECT_FALSE(again.PlayOff());
    EXPECT_EQ(again.SpecialMoveType(), 1);
    EXPECT_EQ(again.OctaveOffsets(), (std::array<int, 4> {1, 0, -2, 0}));
    EXPECT_TRUE(again.NoMidiMessage());
    EXPECT_TRUE(again.IsSelected("MidiOutput", "Software synthesizer"));
    EXPECT_FALSE(again.IsSelected("MidiInput", "Software synthesizer"));
}

TEST_F(Settings, FirstStartSelectsTheGivenOutputOnlyWithoutAFile)
{
    SettingsFile fresh(folder, ui, texts);
    fresh.LoadAtStart("Software synthesizer");
    EXPECT_EQ(fresh.SelectedDevices("MidiOutput"), (std::vector<std::string> {"Software synthesizer"}));

    fresh.Select("MidiOutput", "Software synthesizer", false);
    fresh.Save();
    SettingsFile later(folder, ui, texts);
    later.LoadAtStart("Software synthesizer");
    EXPECT_TRUE(later.SelectedDevices("MidiOutput").empty());
}

// A settings file that cannot be written (here a folder in its place, which fails for root too)
// is told once, in the interface language and with the reason; the run goes on with the settings
// in memory.
TEST_F(Settings, FailedSaveIsToldOnceAndTheRunGoesOn)
{
    std::filesystem::create_directories(folder / "parms.xml" / "inside");
    texts.Load(PARTWRITER_BUNDLED_DATA, "English");
    SettingsFile settings(folder, ui, texts);
    ASSERT_NO_THROW(settings.LoadAtStart("Software synthesizer"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Not saved");
    EXPECT_EQ(ui.messages[0].text,
              "The settings were not saved. The program goes on, but does not try to save them again.\n"
              "Cannot write the file "
                  + (folder / "parms.xml").string() + ": Is a directory");

    settings.SetPlayOff(true);
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(ui.messages.size(), 1u) << "told once a run";
    EXPECT_TRUE(settings.PlayOff());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "parms.xml" / "inside"));
}

TEST_F(Settings, FailedSaveSpeaksRussianByDefault)
{
    std::filesystem::create_directories(folder / "parms.xml");
    SettingsFile settings(folder, ui, texts);
    settings.LoadAtStart();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Не сохранено");
    EXPECT_EQ(ui.messages[0].text.rfind("Настройки не сохранены.", 0), 0u) << ui.messages[0].text;
    EXPECT_NE(
        ui.messages[0].text.find("\nНе удалось записать файл " + (folder / "parms.xml").string() + ": "),
        std::string::npos)
        << ui.messages[0].text;
}

using Localize = TestFolder;

TEST_F(Localize, FileReplacesTextsByIdentifierOnlyForAnotherLanguage)
{
    write("Localize.xml",
          "<Localize><Toolbar><I id=\"Voice0\"></I><I id=\"Voice1\">Voice: tenor</I></Toolbar>"
          "<Panels><BottomQuest><I id=\"Remains\">Left</I></BottomQuest></Panels></Localize>");
    Localization russian;
    russian.Load(folder, "Russian");
    EXPECT_FALSE(russian.InUse());
    EXPECT_EQ(russian.Text("Toolbar", "Voice1"), "Голос : Тенор");

    Localization english;
    english.Load(folder, "English");
    EXPECT_TRUE(english.InUse());
    EXPECT_EQ(english.Text("Toolbar", "Voice0"), ""); // present but empty blanks it
    EXPECT_EQ(english.Text("Toolbar", "Voice1"), "Voice: tenor");
    EXPECT_EQ(english.Text("Toolbar", "Voice2"), "Голос : Альт"); // missing keeps the default
    EXPECT_EQ(english.BottomQuest("Remains"), "Left"); // at any depth
    EXPECT_EQ(english.BottomQuest("Completed"), "Решено");
}

TEST_F(Localize, BrokenOrMissingFileKeepsTheBuiltInTexts)
{
    Localization none;
    none.Load(folder, "English");
    EXPECT_FALSE(none.InUse());
    write("Localize.xml", "<Localize><Toolbar>");
    Localization broken;
    broken.Load(folder, "English");
    EXPECT_EQ(broken.Text("Result", "MarkHeader"), "Ваша оценка");
}

TEST(LocalizeBundled, EnglishFileCoversEveryIdentifier)
{
    Localization english;
    english.Load(PARTWRITER_BUNDLED_DATA, "English");
    ASSERT_TRUE(english.InUse());
    for (const pugi::xpath_node &item : SelectNodes(english.Document(), "//I[@id]")) {
        const std::string section = item.node().parent().name();
        const std::string id = GetAttr(item.node(), "id");
        EXPECT_FALSE(Localization::Default(section, id).empty())
            << section << "/" << id << " is not a known text";
        EXPECT_FALSE(NodeText(item).empty()) << section << "/" << id;
    }
    // Messages of the lower layers are translated by their Russian text.
    for (const pugi::xpath_node &item : SelectNodes(english.Document(), "//Phrases/I")) {
        const std::string russian = GetAttr(item.node(), "ru");
        EXPECT_FALSE(russian.empty());
        EXPECT_EQ(english.Phrase(russian), NodeText(item));
    }
    EXPECT_EQ(english.Phrase("Ошибка"), "Error");
    EXPECT_EQ(english.Phrase("a text nobody translated"), "a text nobody translated");
    // A message with values is translated by its pattern, and the reason inside it in turn.
    EXPECT_EQ(english.Phrase("файл не читается: строка 3, столбец 7: неверный атрибут"),
              "the file cannot be read: line 3, column 7: a broken attribute");
    EXPECT_EQ(english.Phrase("файл больше 16 МБ"), "the file is larger than 16 MB");
    EXPECT_EQ(
        english.Phrase("Журнал результатов /home/s/progress.sqlite отключён до конца работы: папка журнала "
                       "закрыта для записи"),
        "The progress log /home/s/progress.sqlite is off until the program ends: its folder is read-only");
    EXPECT_EQ(english.Text("Toolbar", "Voice0"), "Voice: bass");
    EXPECT_EQ(english.BottomQuest("RegimDirect"), "Go to the next exercise only when asked");
}

// A read-only course (an installed one) keeps its settings untouched: the user's copy starts from
// them and takes every change, whoever runs the program.
TEST_F(Settings, AReadOnlyCourseIsCopiedToTheUsersFolder)
{
    write("course/parms.xml", "<Parameters octoffset0=\"-1\"/>");
    const std::string home = (folder / "home").string();
    const std::string before = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    std::filesystem::permissions(folder / "course/parms.xml", std::filesystem::perms::all,
                                 std::filesystem::perm_options::remove);
    std::filesystem::permissions(folder / "course/parms.xml", std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::add);
    std::filesystem::permissions(folder / "course",
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write
                                     | std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    {
        SettingsFile settings(folder / "course", ui, texts);
        settings.LoadAtStart();
        settings.SetOctaveOffsets({1, 0, 0, 0});
        settings.Save();
    }
    std::filesystem::permissions(folder / "course", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (before.empty())
        ::unsetenv("XDG_DATA_HOME");
    else
        ::setenv("XDG_DATA_HOME", before.c_str(), 1);
    EXPECT_EQ(read(folder / "course/parms.xml"), "<Parameters octoffset0=\"-1\"/>");
    EXPECT_NE(read(folder / "home/Partwriter/parms.xml").find("octoffset0=\"1\""), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
}
