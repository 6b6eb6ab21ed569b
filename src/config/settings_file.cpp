#include "config/settings_file.h"

#include "config/save_failure.h"
#include "document/xml_file.h"
#include "platform/error.h"
#include "platform/file_paths.h"

#include <algorithm>

namespace pw {

namespace {
constexpr const char *FileName = "parms.xml";
}

SettingsFile::SettingsFile(const std::filesystem::path &dataDir, Ui &ui, const Localization &texts)
    : m_path(dataDir / FileName)
    , m_ui(ui)
    , m_texts(texts)
{
    if (!IsWritableCourse(dataDir)) {
        const std::filesystem::path own = UserDataFolder() / FileName;
        // The first run on a read-only course starts from the course's own settings.
        std::error_code ec;
        if (!std::filesystem::exists(own, ec) && std::filesystem::exists(m_path, ec)) {
            std::filesystem::create_directories(own.parent_path(), ec);
            std::filesystem::copy_file(m_path, own, ec);
            // The copy is the user's own, whatever the installed file's permissions were.
            if (!ec)
                std::filesystem::permissions(
                    own, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                    std::filesystem::perm_options::add, ec);
        }
        m_path = own;
    }
}

void SettingsFile::LoadAtStart(const std::string &firstStartOutput)
{
    std::error_code ec;
    const bool firstStart = !std::filesystem::exists(m_path, ec);
    LoadXmlFile(m_doc, m_path);
    if (!m_doc.document_element())
        m_doc.append_child("Parameters");
    XmlNode root = SelectNode(m_doc, "Parameters");
    FindOrAddChild(root, "MidiInput");
    FindOrAddChild(root, "MidiOutput");
    if (firstStart && !firstStartOutput.empty())
        Select("MidiOutput", firstStartOutput, true);
    if (root)
        Save();
}

bool SettingsFile::Save()
{
    if (m_saveFailed)
        return false;
    try {
        SaveXmlFile(m_doc, m_path);
        return true;
    } catch (const Error &e) {
        m_saveFailed = true;
        ReportSaveFailure(m_ui, m_texts, "SettingsNotSaved", e);
        return false;
    }
}

XmlNode SettingsFile::deviceList(const std::string &kind) const
{
    return SelectNode(m_doc, "//Parameters/" + kind);
}

std::vector<std::string> SettingsFile::SelectedDevices(const std::string &kind) const
{
    std::vector<std::string> names;
    for (const pugi::xpath_node &dev : SelectNodes(m_doc, "//Parameters/" + kind + "/Dev"))
        names.push_back(NodeText(dev));
    return names;
}

bool SettingsFile::IsSelected(const std::string &kind, const std::string &name) const
{
    return HasTextChild(deviceList(kind), "Dev", name);
}

void SettingsFile::Select(const std::string &kind, const std::string &name, bool selected)
{
    XmlNode list = deviceList(kind);
    if (selected)
        FindOrAddTextChild(list, "Dev", {}, {}, {}, name);
    else
        RemoveTextChild(list, "Dev", name);
}

bool SettingsFile::PlayOff() const
{
    return !GetAttr(Root(), "Play").empty();
}

void SettingsFile::SetPlayOff(bool off)
{
    if (off)
        SetAttr(Root(), "Play", "No");
    else
        RemoveAttr(Root(), "Play");
}

int SettingsFile::SpecialMoveType() const
{
    return GetAttrInt(Root(), "specialmovetype", 0);
}

void SettingsFile::SetSpecialMoveType(int type)
{
    SetAttr(Root(), "specialmovetype", type);
}

std::array<int, 4> SettingsFile::OctaveOffsets() const
{
    std::array<int, 4> offsets {};
    for (int v = 0; v < 4; ++v)
        // The program writes these itself; one edited past what a keyboard reaches is taken as the
        // nearest one.
        offsets[static_cast<std::size_t>(v)] = std::clamp(
            GetAttrInt(Root(), "octoffset" + std::to_string(v), 0), -MaxOctaveOffset, MaxOctaveOffset);
    return offsets;
}

void SettingsFile::SetOctaveOffsets(const std::array<int, 4> &offsets)
{
    for (int v = 0; v < 4; ++v)
        SetAttr(Root(), "octoffset" + std::to_string(v), offsets[static_cast<std::size_t>(v)]);
}

bool SettingsFile::NoMidiMessage() const
{
    return !GetAttr(Root(), "nomessagemidi").empty();
}

void SettingsFile::SetNoMidiMessage(bool never)
{
    if (never)
        SetAttr(Root(), "nomessagemidi", "Y");
    else
        RemoveAttr(Root(), "nomessagemidi");
}

bool SettingsFile::Welcomed() const
{
    return !GetAttr(Root(), "welcomed").empty();
}

void SettingsFile::SetWelcomed()
{
    SetAttr(Root(), "welcomed", "Y");
}

} // namespace pw
