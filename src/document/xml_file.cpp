#include "document/xml_file.h"

#include "document/xml_checks.h"
#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/text_format.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <string_view>
#include <vector>

namespace pw {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The encoding named by the XML declaration at the start of bytes, or "" when none is given.
// A plain scan: the declaration is short, and nothing in it may cost more than its length.
std::string declaredEncoding(std::string_view bytes)
{
    if (!bytes.starts_with("<?xml"))
        return {};
    const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
    std::size_t at = declaration.find("encoding");
    while (at != std::string_view::npos) {
        std::size_t i = at + std::string_view("encoding").size();
        while (i < declaration.size() && isSpace(declaration[i]))
            ++i;
        if (i < declaration.size() && declaration[i] == '=') {
            ++i;
            while (i < declaration.size() && isSpace(declaration[i]))
                ++i;
            if (i < declaration.size() && (declaration[i] == '"' || declaration[i] == '\'')) {
                const std::size_t end = declaration.find(declaration[i], i + 1);
                if (end != std::string_view::npos && end > i + 1)
                    return std::string(declaration.substr(i + 1, end - i - 1));
            }
        }
        at = declaration.find("encoding", at + 1);
    }
    return {};
}

class IconvHandle
{
public:
    IconvHandle(const std::string &from)
        : m_handle(iconv_open("UTF-8", from.c_str()))
    {
    }
    ~IconvHandle()
    {
        if (valid())
            iconv_close(m_handle);
    }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;
    bool valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_handle; }

private:
    iconv_t m_handle;
};

XmlLoadResult failed(XmlFileStatus status, std::string reason)
{
    return {status, std::move(reason)};
}

// The text as UTF-8, from a byte order mark or the declared encoding.
XmlLoadResult toUtf8(std::string &bytes)
{
    try {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.erase(0, 3);
        } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
            bytes = ConvertToUtf8(bytes, "UTF-16");
        } else {
            const std::string encoding = lower(declaredEncoding(bytes));
            if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8")
                bytes = ConvertToUtf8(bytes, encoding);
        }
    } catch (const XmlError &e) {
        return failed(XmlFileStatus::Undecodable, e.what());
    }
    if (std::string problem = Utf8Problem(bytes); !problem.empty())
        return failed(XmlFileStatus::Undecodable, std::move(problem));
    return {};
}

// Text as a saved copy reads back: a carriage return written as &#13; is kept by the parser but
// saved as itself and read back as a line feed, and text that references made all white space
// (&#10;) is dropped when the copy is read, as white space between elements always is. So a saved
// document loads again to the same one.
void textAsSavedReadsBack(pugi::xml_document &doc)
{
    std::vector<pugi::xml_node> blank;
    for (pugi::xml_node node = doc.first_child(); node;) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            const std::string_view value = node.value();
            if (value.find('\r') != std::string_view::npos) {
                std::string out;
                out.reserve(value.size());
                for (std::size_t i = 0; i < value.size(); ++i) {
                    if (value[i] != '\r')
                        out += value[i];
                    else if (i + 1 >= value.size() || value[i + 1] != '\n')
                        out += '\n';
                }
                node.set_value(out.c_str());
            }
            if (node.type() == pugi::node_pcdata
                && std::string_view(node.value()).find_first_not_of(" \t\n") == std::string_view::npos)
                blank.push_back(node);
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling())
            node = node.parent();
        if (node)
            node = node.next_sibling();
    }
    for (pugi::xml_node node : blank)
        node.parent().remove_child(node);
}

} // namespace

std::string ConvertToUtf8(const std::string &bytes, const std::string &encoding)
{
    IconvHandle cd(encoding);
    if (!cd.valid())
        throw XmlError(FormatText("неизвестная кодировка «%1»", {encoding}));
    std::string out(bytes.size() * 4 + 16, '\0');
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    char *outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        const std::size_t at = bytes.size() - inLeft;
        throw XmlError(
            FormatText("строка %1: текст не в кодировке %2", {std::to_string(LineAt(bytes, at)), encoding}));
    }
    out.resize(out.size() - outLeft);
    return out;
}

XmlLoadResult ReadXmlText(pugi::xml_document &doc, std::string bytes)
{
    doc.reset();
    if (bytes.size() > MaxXmlFileBytes)
        return failed(XmlFileStatus::TooLarge,
                      FormatText("файл больше %1 МБ", {std::to_string(MaxXmlFileBytes >> 20)}));
    if (XmlLoadResult decoded = toUtf8(bytes); !decoded)
        return decoded;
    if (std::string problem = MarkupProblem(bytes); !problem.empty())
        return failed(XmlFileStatus::Malformed, std::move(problem));
    // The declaration is not kept: the text is UTF-8 now, and saving writes a declaration of its own.
    const pugi::xml_parse_result result
        = doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    // pugixml keeps what it parsed before a syntax error; a broken file counts as not loaded.
    if (!result || !doc.document_element()) {
        doc.reset();
        const pugi::xml_parse_status status = result ? pugi::status_no_document_element : result.status;
        const auto offset = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, result.offset));
        const std::size_t lineStart = bytes.rfind('\n', offset == 0 ? 0 : offset - 1);
        const std::size_t column = offset - (lineStart == std::string::npos ? 0 : lineStart + 1) + 1;
        return failed(XmlFileStatus::Malformed,
                      FormatText("строка %1, столбец %2: %3",
                                 {std::to_string(LineAt(bytes, offset)), std::to_string(column),
                                  ParseStatusText(status)}));
    }
    if (std::string problem = TreeProblem(doc, bytes); !problem.empty()) {
        doc.reset();
        return failed(XmlFileStatus::Malformed, std::move(problem));
    }
    textAsSavedReadsBack(doc);
    return {};
}

XmlLoadResult ReadXmlFile(pugi::xml_document &doc, const std::filesystem::path &path)
{
    doc.reset();
    const std::filesystem::path resolved = ResolveExistingPath(path);
    std::error_code ec;
    if (!std::filesystem::exists(resolved, ec))
        return failed(XmlFileStatus::Missing, "файл не найден");
    if (std::filesystem::is_directory(resolved, ec))
        return failed(XmlFileStatus::Unreadable, "это папка, а не файл");
    const auto size = std::filesystem::file_size(resolved, ec);
    if (!ec && size > MaxXmlFileBytes)
        return failed(XmlFileStatus::TooLarge,
                      FormatText("файл больше %1 МБ", {std::to_string(MaxXmlFileBytes >> 20)}));
    std::ifstream in(resolved, std::ios::binary);
    if (!in)
        return failed(XmlFileStatus::Unreadable, FormatText("файл не читается: %1", {std::strerror(errno)}));
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return ReadXmlText(doc, std::move(bytes).str());
}

bool LoadXmlText(pugi::xml_document &doc, const std::string &bytes)
{
    return static_cast<bool>(ReadXmlText(doc, bytes));
}

bool LoadXmlFile(pugi::xml_document &doc, const std::filesystem::path &path)
{
    return static_cast<bool>(ReadXmlFile(doc, path));
}

std::string XmlToText(const pugi::xml_document &doc)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    doc.save(out, "\t", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

void SaveXmlFile(const pugi::xml_document &doc, const std::filesystem::path &path)
{
    WriteFileAtomically(path, XmlToText(doc));
}

} // namespace pw
