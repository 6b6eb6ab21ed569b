// The pages the course shows (theory, pause, contents, the program's own) and the videos: their
// English versions where the program looks for one, and every link and picture of every page
// they lead to. The page pane follows links by their exact names, relative to the page.

#include "course_check/checks.h"

#include "config/language_variant.h"
#include "course_check/html_links.h"
#include "platform/file_paths.h"

#include <deque>
#include <fstream>
#include <sstream>

namespace pw {

namespace {

std::string fileText(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool isPageFile(const std::filesystem::path &file)
{
    std::string extension = file.extension().string();
    for (char &c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".html" || extension == ".htm";
}

class PageReading
{
public:
    explicit PageReading(CourseScan &scan)
        : m_scan(scan)
    {
    }

    void show(const std::filesystem::path &page) { m_queue.push_back(page); }

    void readAll()
    {
        while (!m_queue.empty()) {
            const std::filesystem::path page = m_queue.front().lexically_normal();
            m_queue.pop_front();
            if (m_read.insert(page).second)
                readLinks(page);
        }
    }

private:
    void readLinks(const std::filesystem::path &page)
    {
        for (const PageLink &link : PageLinks(fileText(page))) {
            const std::optional<std::string> file = LinkedFile(link.value);
            if (!file)
                continue;
            const std::filesystem::path given(*file);
            const std::filesystem::path target
                = (given.is_absolute() ? given : page.parent_path() / given).lexically_normal();
            if (CourseScan::isFile(target)) {
                if (isPageFile(target))
                    show(target);
                continue;
            }
            std::string text = link.attribute + " \"" + link.value + "\" is not found";
            // Found by the rule of the data files' names, but not by the page's.
            const std::filesystem::path near = ResolveDataPath(page.parent_path(), *file);
            if (CourseScan::isFile(near))
                text += " (there is " + m_scan.label(near) + ": a page names its links exactly)";
            m_scan.add(page, text, link.line);
        }
    }

    CourseScan &m_scan;
    std::deque<std::filesystem::path> m_queue;
    std::set<std::filesystem::path> m_read;
};

} // namespace

void CheckPages(CourseScan &scan)
{
    PageReading reading(scan);
    for (const CoursePage &page : scan.pages()) {
        reading.show(page.path);
        if (!scan.english())
            continue;
        const std::filesystem::path variant = scan.resolve(LanguageVariantName(page.name, scan.language()));
        if (CourseScan::isFile(variant))
            reading.show(variant);
        else
            scan.add(page.path, "no English version " + scan.label(variant) + " (the Russian page is shown)");
    }
    for (const LessonFile &lesson : scan.lessons()) {
        if (lesson.kind != LessonKind::Video || !scan.english())
            continue;
        if (LanguageVariantFile(lesson.path, scan.language()) == lesson.path) {
            const std::filesystem::path variant = lesson.path.parent_path()
                / LanguageVariantName(lesson.path.filename().string(), scan.language());
            scan.add(lesson.path,
                     "no English version " + scan.label(variant) + " (the Russian video is shown)");
        }
    }
    reading.readAll();
}

} // namespace pw
