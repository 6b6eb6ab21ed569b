#include "panels/drill_settings.h"

#include <algorithm>
#include <utility>

namespace pw {

namespace {

// Interval names exist for one to twelve semitones.
constexpr int MaxIntervals = 12;

class ParmReader
{
public:
    ParmReader(XmlNode parm, XmlNode item, std::vector<std::string> *outOfRange)
        : m_parm(parm)
        , m_item(item)
        , m_outOfRange(outOfRange)
    {
    }
    XmlNode source(const char *name) const { return m_parm.attribute(name) ? m_parm : m_item; }
    int number(const char *name, int def) const { return GetAttrInt(source(name), name, def); }
    int number(const char *name, int def, int low, int high) const
    {
        const int given = number(name, def);
        const int taken = std::clamp(given, low, high);
        if (taken != given)
            tell(std::string(name) + " = " + std::to_string(given) + " is outside " + std::to_string(low)
                 + "…" + std::to_string(high) + "; the drill takes " + std::to_string(taken));
        return taken;
    }
    std::string text(const char *name) const { return GetAttr(source(name), name); }
    void tell(std::string what) const
    {
        if (m_outOfRange)
            m_outOfRange->push_back(std::move(what));
    }

private:
    XmlNode m_parm;
    XmlNode m_item;
    std::vector<std::string> *m_outOfRange;
};

DrillSettings readDrillSettings(XmlNode parm, XmlNode item, std::vector<std::string> *outOfRange)
{
    const ParmReader read(parm, item, outOfRange);
    DrillSettings s;
    constexpr int Large = 100000;
    s.countNotes = read.number("countnotes", s.countNotes, 1, 1000);
    s.countAttempts = read.number("countattempts", s.countAttempts, 1, 1000);
    s.countSeconds = read.number("countseconds", s.countSeconds, 1, 86400);
    s.keyboardPicture = read.text("keyboardpicture");
    s.staffPicture = read.text("staffpicture");
    s.type = read.number("type", s.type);
    // An unknown variant is asked as the first one.
    if (!IsKnownDrillType(s.type)) {
        read.tell("type = " + std::to_string(s.type) + " is not a drill type; the drill takes 1");
        s.type = 1;
    }
    s.melodic = s.type == 12 || s.type == 14 || s.type == 16 || s.type == 22;
    if (s.type == 12)
        s.type = 11;
    s.keyboardLeft = read.number("keyboardleft", s.keyboardLeft, -100, Large);
    s.keyboardTop = read.number("keyboardtop", s.keyboardTop, -100, Large);
    s.keyboardCount = read.number("keyboardcount", s.keyboardCount, 1, 8);
    s.keyboardInset = read.number("keyboardbloffset", s.keyboardInset, 0, 100);
    s.staffLeft = read.number("staffleft", s.staffLeft, -100, Large);
    s.staffTop = read.number("stafftop", s.staffTop, -100, Large);
    s.staffNotesOffset = read.number("staffnotesoffset", s.staffNotesOffset, -Large, Large);
    s.staffNoteWidth = read.number("staffonenoteoffset", s.staffNoteWidth, 1, Large);
    s.staffNoteSize = read.number("staffonenotesize", s.staffNoteSize, 1, Large);
    s.intervalCount = read.number("intcount", s.intervalCount, 1, MaxIntervals);
    return s;
}

} // namespace

bool IsOneNoteType(int type)
{
    return type == 1 || type == 2;
}

bool IsIntervalNameType(int type)
{
    return type == 11 || type == 12;
}

bool IsHintedType(int type)
{
    return type >= 13 && type <= 16;
}

bool IsBothNotesType(int type)
{
    return type == 21 || type == 22;
}

bool IsKnownDrillType(int type)
{
    return IsOneNoteType(type) || IsIntervalNameType(type) || IsHintedType(type) || IsBothNotesType(type);
}

DrillSettings ReadDrillSettings(XmlNode parm, XmlNode item)
{
    return readDrillSettings(parm, item, nullptr);
}

std::vector<std::string> DrillSettingsProblems(XmlNode parm, XmlNode item)
{
    std::vector<std::string> outOfRange;
    readDrillSettings(parm, item, &outOfRange);
    return outOfRange;
}

} // namespace pw
