// libFuzzer target: XML text in any encoding it declares (or with a UTF-16 byte order mark) loads
// or is refused, never crashes; an undecodable text is an XmlError. What loads saves as UTF-8
// text that loads again to the same document, as a saved exercise must.

#include "document/xml_file.h"
#include "platform/error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    pugi::xml_document doc;
    try {
        if (!pw::LoadXmlText(doc, text))
            return 0;
    } catch (const pw::XmlError &) {
        return 0;
    }
    const std::string saved = pw::XmlToText(doc);
    pugi::xml_document again;
    bool reloaded = false;
    try {
        reloaded = pw::LoadXmlText(again, saved);
    } catch (const pw::XmlError &) {
    }
    if (!reloaded || pw::XmlToText(again) != saved) {
        std::cerr << "the saved text does not load to the same document:\n" << saved << '\n';
        std::abort();
    }
    return 0;
}
