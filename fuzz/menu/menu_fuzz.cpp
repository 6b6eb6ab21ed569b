// libFuzzer target: a course menu file (xml/Menu.xml) of any content loads in both languages or is
// refused with a message, never crashes; every item of a loaded menu gives its lesson and its
// heading page as choosing it in the course tree would.

#include "common/input_folder.h"

#include "platform/error.h"
#include "platform/recording_ui.h"
#include "shell/course_activation.h"
#include "shell/course_menu.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void choose(const pw::txmlmenu &menu, const std::filesystem::path &dataDir)
{
    for (int x = 0; x < menu.Count(); ++x) {
        const pw::TMenuNode &node = menu.Nodes.at(static_cast<std::size_t>(x));
        const std::string *parentCaption = nullptr;
        if (node.parent >= 0)
            parentCaption = &menu.Texts.at(static_cast<std::size_t>(node.parent));
        if (menu.IsLesson(x))
            pw::LessonOfItem(menu, x, parentCaption);
        else
            pw::HeadingPage(menu, x, dataDir);
        pw::SectionNumber(menu.Texts[static_cast<std::size_t>(x)]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const pwfuzz::InputFolder folder;
    const std::filesystem::path file = folder.write("xml/Menu.xml", data, size);
    for (const char *language : {"Russian", "English"}) {
        pw::RecordingUi ui;
        pw::txmlmenu menu(ui);
        try {
            if (menu.Load(file, language) == 0)
                choose(menu, folder.path());
        } catch (const pw::Error &) {
            // A value that is no number abandons the choice, as in the program.
        }
    }
    return 0;
}
