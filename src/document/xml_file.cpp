#include "document/xml_file.h"

#include "platform/error.h"
#include "platform/file_paths.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iconv.h>
#include <regex>
#include <sstream>

namespace pw {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The encoding named by the XML declaration at the start of bytes, or "" when none is given.
std::string declaredEncoding(const std::string &bytes)
{
    if (bytes.rfind("<?xml", 0) != 0)
        return {};
    const std::size_t end = bytes.find("?>");
    static const std::regex encoding(R"(encoding\s*=\s*["']([^"']+)["'])");
    std::smatch match;
    const std::string declaration = bytes.substr(0, end);
    if (std::regex_search(declaration, match, encoding))
        return match[1].str();
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

} // namespace

std::string ConvertToUtf8(const std::string &bytes, const std::string &encoding)
{
    IconvHandle cd(encoding);
    if (!cd.valid())
        throw XmlError("Unknown text encoding '" + encoding + "'");
    std::string out(bytes.size() * 4 + 16, '\0');
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    char *outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        throw XmlError("The text is not valid " + encoding);
    out.resize(out.size() - outLeft);
    return out;
}

bool LoadXmlText(pugi::xml_document &doc, const std::string &raw)
{
    doc.reset();
    std::string bytes = raw;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        bytes.erase(0, 3);
    } else if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
        bytes = ConvertToUtf8(bytes, "UTF-16");
    } else {
        const std::string encoding = lower(declaredEncoding(bytes));
        if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8")
            bytes = ConvertToUtf8(bytes, encoding);
    }
    // The declaration is not kept: the text is UTF-8 now, and saving writes a declaration of its own.
    const pugi::xml_parse_result result
        = doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    // pugixml keeps what it parsed before a syntax error; a broken file counts as not loaded.
    if (!result || !doc.document_element()) {
        doc.reset();
        return false;
    }
    return true;
}

bool LoadXmlFile(pugi::xml_document &doc, const std::filesystem::path &path)
{
    doc.reset();
    std::ifstream in(ResolveExistingPath(path), std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    try {
        return LoadXmlText(doc, bytes.str());
    } catch (const XmlError &) {
        // An undecodable file is as unreadable as a malformed one.
        doc.reset();
        return false;
    }
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
