#include "course_check/course_scan.h"

#include "document/xml_file.h"
#include "harmony/definitor.h"
#include "platform/error.h"
#include "platform/file_paths.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace pw {

namespace {

// Captions and texts that say nothing but "something went wrong".
bool bareCaption(const std::string &text)
{
    static const std::array<const char *, 4> bare {"Ошибка", "Ошибка!", "Сбой", "Сообщение"};
    return text.empty() || std::find(bare.begin(), bare.end(), text) != bare.end();
}

} // namespace

std::unique_ptr<Bitmap> CheckedPictures::load(const std::filesystem::path &file)
{
    m_missing = !CourseScan::isFile(file);
    if (m_missing)
        throw Error("файл не найден");
    if (m_reader)
        return m_reader->load(file);
    return std::make_unique<Bitmap>(file.filename().string(), 1, 1);
}

std::string MenuItemRef::where() const
{
    return "item " + std::to_string(number) + " \"" + caption + "\"";
}

CourseScan::CourseScan(const CourseCheckOptions &options)
    : m_options(options)
    , m_dataDir(std::filesystem::absolute(options.dataDir).lexically_normal())
    , m_pictures(options.pictures)
{
    m_phrases.Load(options.programDir, "English");
}

CourseScan::~CourseScan() = default;

std::filesystem::path CourseScan::resolve(const std::string &name) const
{
    return ResolveDataPath(m_dataDir, name);
}

bool CourseScan::isFile(const std::filesystem::path &path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string CourseScan::label(const std::filesystem::path &file) const
{
    const std::filesystem::path normal = std::filesystem::absolute(file).lexically_normal();
    const std::filesystem::path relative = normal.lexically_relative(m_dataDir);
    // A file outside the course (the program's rule base) is named in full.
    const bool outside = relative.empty() || *relative.begin() == "..";
    return (outside ? normal : relative).generic_string();
}

void CourseScan::add(const std::filesystem::path &file, std::string text, std::optional<int> line)
{
    m_problems.push_back({CourseProblem {label(file), line, std::move(text)}, 0});
}

void CourseScan::addToItem(const MenuItemRef &item, const std::string &text)
{
    m_problems.push_back(
        {CourseProblem {label(menuPath), std::nullopt, item.where() + ": " + text}, item.number});
}

std::string CourseScan::inEnglish(const std::string &russian) const
{
    return m_phrases.Phrase(russian);
}

std::string CourseScan::messageText(const RecordingUi::Message &message) const
{
    if (bareCaption(message.caption))
        return inEnglish(message.text);
    if (bareCaption(message.text))
        return inEnglish(message.caption);
    return inEnglish(message.caption) + ": " + inEnglish(message.text);
}

std::vector<CourseProblem> CourseScan::takeProblems()
{
    auto placed = std::move(m_problems);
    m_problems.clear();
    std::stable_sort(placed.begin(), placed.end(), [](const auto &a, const auto &b) {
        return std::tuple(a.first.file, a.first.line.value_or(0), a.second)
            < std::tuple(b.first.file, b.first.line.value_or(0), b.second);
    });
    std::vector<CourseProblem> problems;
    for (auto &[problem, position] : placed)
        problems.push_back(std::move(problem));
    return problems;
}

bool CourseScan::readXml(const std::filesystem::path &file, pugi::xml_document &doc)
{
    const XmlLoadResult read = ReadXmlFile(doc, file);
    if (read.status == XmlFileStatus::Missing)
        add(file, "the file is missing");
    else if (!read)
        add(file, "the file does not load: " + inEnglish(read.reason));
    return static_cast<bool>(read);
}

void CourseScan::addLesson(const std::filesystem::path &path, const std::string &name, LessonKind kind)
{
    if (m_seen.insert(path.lexically_normal()).second)
        m_lessons.push_back(LessonFile {path, name, kind});
}

void CourseScan::addPage(const std::filesystem::path &path, const std::string &name)
{
    if (m_seen.insert(path.lexically_normal()).second)
        m_pages.push_back(CoursePage {path, name});
}

bool HasCyrillic(std::string_view text)
{
    // U+0400 … U+04FF: two bytes in UTF-8, the first of them D0 … D3.
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (lead >= 0xD0 && lead <= 0xD3 && (next & 0xC0) == 0x80)
            return true;
    }
    return false;
}

} // namespace pw
