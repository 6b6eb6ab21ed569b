#include "config/localization.h"

#include "document/xml_file.h"
#include "platform/file_paths.h"
#include "platform/text_format.h"

#include <map>
#include <utility>

namespace pw {

namespace {

using Key = std::pair<std::string, std::string>;

const std::map<Key, std::string> &defaults()
{
    static const std::map<Key, std::string> table {
        {{"Toolbar", "Voice0"}, "Голос : Бас"},
        {{"Toolbar", "Voice1"}, "Голос : Тенор"},
        {{"Toolbar", "Voice2"}, "Голос : Альт"},
        {{"Toolbar", "Voice3"}, "Голос : Сопрано"},
        {{"Toolbar", "Voice0Caption"}, "Бас"},
        {{"Toolbar", "Voice1Caption"}, "Тенор"},
        {{"Toolbar", "Voice2Caption"}, "Альт"},
        {{"Toolbar", "Voice3Caption"}, "Сопрано"},
        {{"Toolbar", "OpenCaption"}, "Открыть"},
        {{"Toolbar", "Open"}, "Открыть упражнение"},
        {{"Toolbar", "SaveCaption"}, "Сохранить"},
        {{"Toolbar", "Save"}, "Сохранить упражнение"},
        {{"Toolbar", "SetParmsCaption"}, "Параметры"},
        {{"Toolbar", "SetParms"}, "Параметры упражнения"},
        {{"Toolbar", "KeysCaption"}, "Клавиши"},
        {{"Toolbar", "Keys"}, "Какие клавиши что делают (F1)"},
        {{"Toolbar", "LengthCeil"}, "Длительность : целая"},
        {{"Toolbar", "LengthHalf"}, "Длительность : Половинка"},
        {{"Toolbar", "LengthQuart"}, "Длительность : четверь"},
        {{"Toolbar", "LengthEight"}, "Длительность : восьмушка"},
        {{"Toolbar", "LengthPoint"}, "Точка к длительности"},
        {{"Toolbar", "Undo"}, "Отменить предыдущее изменение"},
        {{"Toolbar", "FreeFixVoice"},
         "Разрешить проигрывать ноту фиксированного голоса без записи в произведение"},
        {{"Toolbar", "NotWriteNote"}, "Отключить набор нот"},
        {{"Toolbar", "PlayEx"}, "Проиграть упражение"},
        {{"Toolbar", "NextPart"}, "Следующее упражнение"},
        {{"Toolbar", "PrevPart"}, "Предыдущее упражнение"},
        {{"Toolbar", "TaskAutoCompleteAny"}, "Завершить выполнение задачи по нажатии последней ноты"},
        {{"Toolbar", "TaskAutoCompleteSuccess"},
         "Завершить выполнение задачи при нажатии последней ноты в случае если нет ошибок"},
        {{"Toolbar", "TaskAutoCompleteNever"}, "Переходить на следующее упражнение принудительно"},
        {{"Toolbar", "Sound"}, "Звук"},
        {{"Toolbar", "MidiSetup"}, "Настроить Midi"},
        {{"Toolbar", "Print"}, "Распечатать страницу"},
        {{"Toolbar", "Help"}, "О программе"},
        {{"Toolbar", "Export"}, "Записать упражнение с анализом в файл MusicXML (Ctrl+E)"},
        {{"Toolbar", "ExportMenu"}, "Экспорт в MusicXML…"},
        {{"Result", "MarkHeader"}, "Ваша оценка"},
        {{"Result", "ExerciseComplete"}, "Упражнение завершено"},
        {{"Result", "Message"}, "Для дальнейших действий выберите  пункт меню слева"},
        {{"Messages", "QuestMessage"},
         "Вы выполнили упражение с указанным результатом, для дальнейших действий выберите пункт меню слева"},
        {{"Messages", "QuestHeader"}, "Сообщение"},
        {{"Messages", "Caption"}, "Partwriter"},
        {{"Messages", "KeysCaption"}, "Клавиши"},
        {{"Messages", "UnsavedCaption"}, "Несохранённые изменения"},
        {{"Messages", "UnsavedText"}, "Сохранить изменения в упражнении?"},
        {{"Messages", "ButtonOk"}, "ОК"},
        {{"Messages", "ButtonCancel"}, "Отмена"},
        {{"Messages", "ButtonYes"}, "Да"},
        {{"Messages", "ButtonNo"}, "Нет"},
        {{"Messages", "ButtonSave"}, "Сохранить"},
        {{"Messages", "ButtonDiscard"}, "Не сохранять"},
        {{"Messages", "HandInCaption"}, "Сдать решение"},
        {{"Messages", "HandInUnfinished"}, "Сдать незаконченное решение?"},
        {{"Messages", "ReviewSuccess"}, "Попытка %1 из %2: успешно"},
        {{"Messages", "ReviewMistakes"}, "Попытка %1 из %2: с ошибками"},
        {{"Messages", "ReviewContinue"}, "Пробел или кнопка «Далее» — продолжить"},
        // A save that failed: what was not saved, then the file and the system's reason.
        {{"Messages", "SaveFailedCaption"}, "Не сохранено"},
        {{"Messages", "FileNotWritten"}, "Не удалось записать файл"},
        {{"Messages", "ExerciseNotSaved"}, "Упражнение не сохранено."},
        {{"Messages", "ExportNotSaved"}, "Экспорт в MusicXML не записан."},
        // The texts a MusicXML export writes into the score.
        {{"Export", "PartName"}, "Хор"},
        {{"Export", "Section"}, "Упражнение %1"},
        {{"Messages", "SettingsNotSaved"},
         "Настройки не сохранены. Программа продолжит работу, но больше не будет пытаться их сохранить."},
        {{"Messages", "ResultsNotSaved"}, "Результаты не сохранены."},
        // The "My results" page: the tables of finished lessons and the chart of marks.
        {{"MyResults", "Title"}, "Мои результаты"},
        {{"MyResults", "Empty"},
         "Здесь появятся ваши результаты, когда вы закончите первое упражнение, тренировку или тест."},
        {{"MyResults", "LogOff"}, "Журнал результатов в этом сеансе не ведётся."},
        {{"MyResults", "Export"}, "Экспорт в CSV…"},
        {{"MyResults", "ExportCaption"}, "Сохранить результаты"},
        {{"MyResults", "Chart"}, "Оценки по видам занятий"},
        {{"MyResults", "Date"}, "Дата"},
        {{"MyResults", "Mark"}, "Оценка"},
        {{"MyResults", "Errors"}, "Ошибки"},
        {{"MyResults", "Attempts"}, "Попытки"},
        {{"MyResults", "Time"}, "Время"},
        {{"MyResults", "DateFormat"}, "dd.MM.yyyy HH:mm"},
        {{"MyResults", "ChartDateFormat"}, "dd.MM"},
        {{"MyResults", "ChartTimeFormat"}, "dd.MM HH:mm"},
        {{"MyResults", "KindMusHarmonyExercise"}, "Упражнения на гармонизацию"},
        {{"MyResults", "KindMusNoteDefine"}, "Тренировка слуха"},
        {{"MyResults", "KindQuest"}, "Тесты"},
        {{"Page", "Missing"}, "Страница не найдена"},
        {{"Movie", "PartSelection"}, "Часть"},
        {{"Movie", "Value"}, "Громкость"},
        {{"MidiSelect", "Caption"}, "Настройка и параметры"},
        {{"MidiSelect", "VoicesText"}, "Переход по голосам"},
        {{"MidiSelect", "VoicesOrder1"}, "Бас - Тенор - Альт - Сопрано"},
        // The second voice order has no identifier of its own in older files; this one is ours.
        {{"MidiSelect", "VoicesOrder2"}, "Бас - Сопрано - Альт - Тенор"},
        {{"MidiSelect", "Save"}, "Сохранить"},
        {{"MidiSelect", "Cancel"}, "Отменить"},
        {{"About", "Caption"}, "О программе"},
        // The notices shown when no MIDI input is in use.
        {{"NoMidi", "Caption"}, "Сообщение"},
        {{"NoMidi", "NoneSelected"}, "Имеются устройства midi, но не одно из них не отмечено как входящее"},
        {{"NoMidi", "NoDevices"},
         "Мы вынуждены проинформировать Вас, что система не обнаружила входящих midi устройств. "},
        {{"NoMidi", "NoDevicesHard"},
         "Выполнение упражнений будет затруднено, а выполнить упражнения на скорость практически нереально"},
        {{"NoMidi", "NeverAsk"}, "Далее не спрашивать"},
        {{"NoMidi", "NeverTell"}, "Далее не информировать"},
        {{"NoMidi", "Setup"}, "Настроить MiDi"},
        {{"NoMidi", "GoOnWithoutSetup"}, "Продолжить без настройки"},
        {{"NoMidi", "GoOn"}, "Продолжить"},
        // The exercise parameters dialog of authoring mode.
        {{"SetParms", "Title"}, "Параметры упражнения"},
        {{"SetParms", "Exercise"}, "Упражнение "},
        {{"SetParms", "Part"}, "Часть "},
        {{"SetParms", "ShowPartsCount"}, "Показывать частей:"},
        {{"SetParms", "CasualTonality"}, "Тональности случайным образом до ... знаков::"},
        {{"SetParms", "Def"}, "Определитель:"},
        {{"SetParms", "CheckType"}, "Тип проверки:"},
        {{"SetParms", "DefaultLength"}, "Голос с длительностью по умолчанию::"},
        {{"SetParms", "FixedLength"}, "Фиксировать длительность:"},
        {{"SetParms", "FixedVoice"}, "Зафиксировать голос:"},
        {{"SetParms", "CountIteration"}, "Число итераций::"},
        {{"SetParms", "LimitSec"}, "Секунд на итерацию"},
        {{"SetParms", "TimerProportional"}, "Пропорционально числу нот"},
        {{"SetParms", "Compare"}, "Голос для проверки"},
        {{"SetParms", "Size"}, "Размер :"},
        {{"SetParms", "FirstMeasure"}, "Первый такт:"},
        {{"SetParms", "Tonality"}, "Тональность :"},
        {{"SetParms", "Minor"}, "Минор"},
        {{"SetParms", "Major"}, "Мажор"},
        {{"SetParms", "Val"}, "Пока число:"},
        {{"SetParms", "Save"}, "Сохранить"},
        {{"SetParms", "Cancel"}, "Отменить"},
        // partwriter --help.
        {{"Usage", "Help"},
         "Использование: partwriter [-d|--data-dir ПАПКА] [-l|--language ЯЗЫК] [-m|--menu МЕНЮ]\n  -d, "
         "--data-dir ПАПКА      папка курса (по умолчанию курс, поставленный с программой)\n  -l, --language "
         "ЯЗЫК       язык интерфейса: Russian (по умолчанию) или English\n  -m, --menu МЕНЮ           меню "
         "курса xml/МЕНЮ.xml (по умолчанию то, что называет sys.xml)\n  -h, --help                эта "
         "справка\n      --version             версия программы\nКлавиши упражнения показывает F1."},
        // Why a label is red: the reasons under the staff and in the piano panel.
        {{"Why", "Voice0"}, "бас"},
        {{"Why", "Voice1"}, "тенор"},
        {{"Why", "Voice2"}, "альт"},
        {{"Why", "Voice3"}, "сопрано"},
        {{"Why", "Root"}, "основной тон"},
        {{"Why", "Third"}, "терция"},
        {{"Why", "Fifth"}, "квинта"},
        {{"Why", "CrossedVoices"}, "Перекрещивание голосов: %1 выше, чем %2."},
        {{"Why", "VoicesTooFarApart"}, "Между голосами «%1» и «%2» больше октавы."},
        {{"Why", "OutsideChord"}, "Голос «%1» берёт звук не из аккорда %2."},
        {{"Why", "MissingTone"}, "В аккорде %1 нет звука «%2»."},
        {{"Why", "DoubledLeadingTone"}, "Удвоен вводный тон: %1 и %2."},
        {{"Why", "DoubledThird"}, "Удвоена терция аккорда в основном виде: %1 и %2."},
        {{"Why", "UnlistedVoicing"}, "Такого расположения или удвоения %1 нет среди аккордов группы."},
        {{"Why", "UnknownNeighbour"}, "Шаг не определён: предыдущий аккорд не опознан."},
        {{"Why", "Retrogression"}, "Ход %1 → %2 не допускается: это ретроградный оборот."},
        {{"Why", "AugmentedSecond"}, "Голос «%1» идёт на увеличенную секунду (VI и повышенная VII ступени)."},
        {{"Why", "Leap"}, "Голос «%1» делает скачок на %2 полутонов, а здесь допустимо не больше %3."},
        {{"Why", "NoStepRule"}, "Этот шаг не допускает ни одно правило."},
        {{"Why", "ParallelOctaves"}, "Параллельные октавы: %1 и %2."},
        {{"Why", "ParallelFifths"}, "Параллельные квинты: %1 и %2."},
        {{"NoteDrill", "Interval1"}, "Секунда малая"},
        {{"NoteDrill", "Interval2"}, "Секунда большая"},
        {{"NoteDrill", "Interval3"}, "Терция малая"},
        {{"NoteDrill", "Interval4"}, "Терция большая"},
        {{"NoteDrill", "Interval5"}, "Кварта"},
        {{"NoteDrill", "Interval6"}, "Кварта увеличенная"},
        {{"NoteDrill", "Interval7"}, "Квинта"},
        {{"NoteDrill", "Interval8"}, "Квинта увеличенная"},
        {{"NoteDrill", "Interval9"}, "Секста"},
        {{"NoteDrill", "Interval10"}, "Секста увеличенная"},
        {{"NoteDrill", "Interval11"}, "Септима"},
        {{"NoteDrill", "Interval12"}, "Октава"},
        {{"NoteDrill", "TimeOut"},
         "Не уложились в заданное время. Печально. Нажмите пробел или кликните мышкой для продолжения"},
        {{"NoteDrill", "Success"}, "Отлично! Нажмите пробел для продолжения"},
        {{"NoteDrill", "Exhausted"}, "Число попыток исчерпано. Нажмите пробел для продолжения"},
        {{"NoteDrill", "Piano"}, "Фортепиано"},
        {{"NoteDrill", "OtherKeys"}, "Прочие клавишные"},
        {{"NoteDrill", "Organ"}, "Орган"},
        {{"NoteDrill", "Guitar"}, "Гитара"},
        {{"NoteDrill", "Strings"}, "Струнные"},
        {{"NoteDrill", "Brass"}, "Медные духовые"},
        {{"NoteDrill", "Reeds"}, "Язычковые деревянные духовые"},
        {{"NoteDrill", "Pipes"}, "Свирели, дудочки"},
        {{"NoteDrill", "PianoOnly"}, "Просто фортепиано"},
        {{"NoteDrill", "Sounds"}, "Звучание"},
        {{"BottomQuest", "Exercise"}, "Упражнение"},
        {{"BottomQuest", "Remains"}, "Осталось"},
        {{"BottomQuest", "Completed"}, "Решено"},
        {{"BottomQuest", "Successfull"}, "Успешно"},
        {{"BottomQuest", "Mistakes"}, "С ошибками"},
        {{"BottomQuest", "Mistake"}, "С ошибками"},
        {{"BottomQuest", "FinishHint"}, "Закончить тест"},
        {{"BottomQuest", "LetterHint"}, "Отобразить буквы на клавиатуре"},
        {{"BottomQuest", "OctaveMinusHint"}, "Октава вниз"},
        {{"BottomQuest", "OctavePlusHint"}, "Октава вверх"},
        {{"BottomQuest", "FirstOctaveHint"}, "Первая октава"},
        {{"BottomQuest", "RegimAuto"}, "Переход на следующее упражнение автоматически"},
        {{"BottomQuest", "RegimIfNotMistakes"},
         "Переход на следующее упражнение автоматически, если нет ошибок"},
        {{"BottomQuest", "RegimDirect"}, "Переход на следующее упражнение принудительно"},
        {{"Bottom3D", "Navigation"}, "Тут будет навигация и (возможно) редактирование xml"},
        {{"Bottom3D", "View"}, "Вид"},
    };
    return table;
}

} // namespace

std::string Localization::Default(const std::string &section, const std::string &id)
{
    const auto found = defaults().find({section, id});
    return found == defaults().end() ? std::string() : found->second;
}

std::vector<std::pair<std::string, std::string>> Localization::Identifiers()
{
    std::vector<std::pair<std::string, std::string>> identifiers;
    for (const auto &entry : defaults())
        identifiers.push_back(entry.first);
    return identifiers;
}

void Localization::Load(const std::filesystem::path &dataDir, const std::string &language)
{
    m_doc.reset();
    m_inUse = false;
    const std::filesystem::path file = ResolveDataPath(dataDir, "Localize.xml");
    std::error_code ec;
    if (language == "Russian" || !std::filesystem::exists(file, ec))
        return;
    // A file that is not well-formed finds nothing, so the built-in texts stay.
    LoadXmlFile(m_doc, file);
    m_inUse = true;
}

std::string Localization::Text(const std::string &section, const std::string &id) const
{
    const std::string fallback = Default(section, id);
    if (!m_inUse)
        return fallback;
    return SelectText(m_doc, "//Localize/*[name()=$section]/I[@id=$id]", {{"section", section}, {"id", id}},
                      fallback);
}

std::string Localization::Phrase(const std::string &russian) const
{
    return phrase(russian, 0);
}

std::string Localization::phrase(const std::string &russian, int depth) const
{
    if (!m_inUse || russian.empty())
        return russian;
    const XmlNode phrases = m_doc.document_element().child("Phrases");
    // Compared as values: a message may hold any character.
    for (XmlNode item : phrases.children("I")) {
        if (GetAttr(item, "ru") == russian)
            return item.text().as_string(russian.c_str());
    }
    // A message with values (a file name, a line number, a reason of its own) matches a pattern
    // with %1 … %9; the reason in it is translated as a message in turn.
    constexpr int DeepestReason = 4;
    if (depth >= DeepestReason)
        return russian;
    for (XmlNode item : phrases.children("I")) {
        const std::string pattern = GetAttr(item, "ru");
        if (pattern.find('%') == std::string::npos)
            continue;
        if (std::optional<std::vector<std::string>> values = MatchText(pattern, russian)) {
            for (std::string &value : *values)
                value = phrase(value, depth + 1);
            return FormatText(item.text().as_string(), *values);
        }
    }
    return russian;
}

std::string Localization::BottomQuest(const std::string &id) const
{
    const std::string fallback = Default("BottomQuest", id);
    if (!m_inUse)
        return fallback;
    return SelectText(m_doc, "//BottomQuest/I[@id=$id]", {{"id", id}}, fallback);
}

} // namespace pw
