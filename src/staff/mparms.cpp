#include "staff/mparms.h"

#include "document/xml_access.h"
#include "document/xml_file.h"
#include "platform/error.h"
#include "platform/file_paths.h"

#include <algorithm>

namespace pw {

namespace {

Color readColor(pugi::xml_node root, const std::string &key)
{
    int parts[3] {};
    const char *suffix[3] {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        const std::string name = key + suffix[i];
        parts[i] = GetAttrInt(root, name, 0);
        if (parts[i] < 0 || parts[i] > 255)
            throw RangeError("sys.xml: " + name + " = " + std::to_string(parts[i]) + " is not in 0..255");
    }
    return MakeColor(parts[0], parts[1], parts[2]);
}

// A distance of sys.xml. The staff is laid out from these by plain arithmetic, so a value past
// what any screen needs is refused rather than let overflow it.
int readDistance(pugi::xml_node root, const char *name, int low = -1000, int high = 1000)
{
    const int value = GetAttrInt(root, name, 0);
    if (value < low || value > high)
        throw RangeError("sys.xml: " + std::string(name) + " = " + std::to_string(value) + " is not in "
                         + std::to_string(low) + ".." + std::to_string(high));
    return value;
}

} // namespace

const std::array<BitmapKey, 28> &BitmapKeys()
{
    static const std::array<BitmapKey, 28> keys {{
        {"KEY_BASS_FILE", ""},  {"KEY_ALT_FILE", ""},     {"KEY_VIOLIN_FILE", ""}, {"KEY_STRING_FILE", ""},
        {"LECAL_UP_FILE", ""},  {"LECAL_DOWN_FILE", ""},  {"SIGN_BEMOL_FILE", ""}, {"SIGN_BEKAR_FILE", ""},
        {"SIGN_DIEZ_FILE", ""}, {"SIGN_BBEMOL_FILE", ""}, {"SIGN_DDIEZ_FILE", ""}, {"SIGN_POINT_FILE", ""},
        {"N8_up", ".bmp"},      {"N8_down", ".bmp"},      {"N4_up", ".bmp"},       {"N4_down", ".bmp"},
        {"N2_up", ".bmp"},      {"N2_down", ".bmp"},      {"N1_up", ".bmp"},       {"N1_down", ".bmp"},
        {"N0_up", ".bmp"},      {"N0_down", ".bmp"},      {"NN_up", ".bmp"},       {"NN_down", ".bmp"},
        {"P8", ".bmp"},         {"P4", ".bmp"},           {"P2", ".bmp"},          {"P1", ".bmp"},
    }};
    return keys;
}

MParms::MParms(const std::filesystem::path &programDir, BitmapLoader &loader, Ui &ui)
    : m_programDir(programDir)
{
    // A missing file leaves no attributes: everything takes its default and the first bitmap fails.
    LoadXmlFile(m_doc, programDir / "sys.xml");
    const pugi::xml_node root = m_doc.document_element();
    readColors(root);
    readDistances(root);
    BITMAP_DIRECTORY = GetAttr(root, "BITMAP_DIRECTORY") + "\\";
    CURSOR_FILE = GetAttr(root, "CURSOR_FILE");
    DefaultLanguage = GetAttr(root, "DefaultLanguage");
    if (DefaultLanguage.empty())
        DefaultLanguage = "Russian";
    loadBitmaps(root, loader);
    m_definitor = std::make_unique<TMusDefinitor>(ResolveDataPath(programDir, "xml\\definitor.xml"), ui,
                                                  DefaultLanguage);
}

MParms::~MParms() = default;

void MParms::readColors(pugi::xml_node root)
{
    ColorLine = readColor(root, "ColorLine");
    ColorTonality = readColor(root, "ColorTonality");
    ColorSize = readColor(root, "ColorSize");
    ColorAccordDefinition = readColor(root, "ColorAccordDefinition");
    ColorMovement = readColor(root, "ColorMovement");
    ColorFixedNote = readColor(root, "ColorFixedNote");
    ColorError = readColor(root, "ColorError");
    for (int v = 0; v < 4; ++v)
        VoiceColor[static_cast<std::size_t>(v)] = readColor(root, "Color" + std::to_string(v));
}

void MParms::readDistances(pugi::xml_node root)
{
    STEP_LINE = readDistance(root, "STEP_LINE", 0, 100);
    Y_BEGIN_LINE = readDistance(root, "Y_BEGIN_LINE");
    STEP_NOTE = readDistance(root, "STEP_NOTE");
    STEP_SIGN = readDistance(root, "STEP_SIGN");
    STEP_STAN_LINE = readDistance(root, "STEP_STAN_LINE", 0, 100);
    STEP_BETWEEN_STANS = readDistance(root, "STEP_BETWEEN_STANS");
    FREE_LEFT = readDistance(root, "FREE_LEFT");
    LEFT_LECALA_START = readDistance(root, "LEFT_LECALA_START");
    FREE_RIGHT = readDistance(root, "FREE_RIGHT");
    ADDITION_LEFT_OFFSET = readDistance(root, "ADDITION_LEFT_OFFSET");
    OFFSET_NOTE_CONSTANT = readDistance(root, "OFFSET_NOTE_CONSTANT");
    OFFSET_SIZE_CONSTANT = readDistance(root, "OFFSET_SIZE_CONSTANT");
    BITMAP_NOTE_HEIGHT = readDistance(root, "BITMAP_NOTE_HEIGHT");
}

void MParms::loadBitmaps(pugi::xml_node root, BitmapLoader &loader)
{
    std::array<std::unique_ptr<Bitmap>, 28> loaded;
    for (std::size_t i = 0; i < BitmapKeys().size(); ++i) {
        const BitmapKey &key = BitmapKeys()[i];
        const std::string name = BITMAP_DIRECTORY + GetAttr(root, key.key) + key.suffix;
        const std::filesystem::path file = ResolveDataPath(m_programDir, name);
        try {
            loaded[i] = loader.load(file);
        } catch (const Error &e) {
            throw Error(std::string(e.what()) + " (sys.xml key " + key.key + ")");
        }
    }
    std::size_t i = 0;
    Clef[1] = std::move(loaded[i++]);
    Clef[2] = std::move(loaded[i++]);
    Clef[3] = std::move(loaded[i++]);
    Clef[4] = std::move(loaded[i++]);
    BraceUp = std::move(loaded[i++]);
    BraceDown = std::move(loaded[i++]);
    Sign[1] = std::move(loaded[i++]); // flat
    Sign[2] = std::move(loaded[i++]); // natural
    Sign[3] = std::move(loaded[i++]); // sharp
    Sign[5] = std::move(loaded[i++]); // double flat
    Sign[4] = std::move(loaded[i++]); // double sharp
    Point = std::move(loaded[i++]);
    for (auto &note : NoteTable)
        note = std::move(loaded[i++]);
    for (auto &rest : RestTable)
        rest = std::move(loaded[i++]);
}

void MParms::SetViewport(int left, int right, int top, int bottom)
{
    RightEdge = right - left - FREE_RIGHT;
    Width = RightEdge - FREE_LEFT + 1;
    Height = bottom - top;
    const int system = SystemHeight();
    RowsFit = system > 0 ? 2 * (Height / system) : 0;
}

std::string MParms::MenuName() const
{
    return GetAttr(m_doc.document_element(), "Menu");
}

std::string MParms::MenuFont() const
{
    return GetAttr(m_doc.document_element(), "MenuFont");
}

int MParms::MenuFontSize() const
{
    return std::clamp(GetAttrInt(m_doc.document_element(), "MenuFontSize", 0), 0, 100);
}

int MParms::MidiTemp() const
{
    // Milliseconds per playback step: from a step a tick to ten seconds.
    return std::clamp(GetAttrInt(SelectNode(m_doc, "//Parameters"), "MidiTemp", 200), 1, 10000);
}

bool MParms::AlwaysBass() const
{
    return !GetAttr(SelectNode(m_doc, "//Parameters"), "AlwaysBass").empty();
}

} // namespace pw
