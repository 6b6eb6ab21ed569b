#include "quest/quest_parms.h"

#include "platform/error.h"

namespace pw {

namespace {

// The colour changes only when R is given, as the parameter file has always been read.
Color readColor(XmlNode node, Color def)
{
    if (!node.attribute("R"))
        return def;
    int parts[3] {};
    const char *names[3] {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        parts[i] = GetAttrInt(node, names[i], 0);
        if (parts[i] < 0 || parts[i] > 255)
            throw RangeError("sys.xml: QParms/" + std::string(node.name()) + " " + names[i] + " = "
                             + std::to_string(parts[i]) + " is not in 0..255");
    }
    return MakeColor(parts[0], parts[1], parts[2]);
}

QuestTextLayout readLayout(XmlNode node)
{
    const std::string layout = GetAttr(node, "Layout");
    if (layout == "B")
        return QuestTextLayout::Bottom;
    if (layout == "C")
        return QuestTextLayout::Center;
    return QuestTextLayout::Top;
}

} // namespace

TQUESTPARM ReadQuestParms(XmlNode doc)
{
    TQUESTPARM p;
    const XmlNode parms = SelectNode(doc, "//Parameters/QParms");
    if (!parms)
        return p;
    p.DDLeft = GetAttrInt(parms, "DDLeft", p.DDLeft);
    p.DDBetween = GetAttrInt(parms, "DDBetween", p.DDBetween);

    if (const XmlNode num = parms.child("Num")) {
        p.NumSize = GetAttrInt(num, "Size", p.NumSize);
        p.NumColor = readColor(num, p.NumColor);
        p.NumFont = GetAttr(num, "Font", p.NumFont);
        p.NumLeft = GetAttrInt(num, "Left", p.NumLeft);
        p.NumTop = GetAttrInt(num, "Top", p.NumTop);
        p.NumHeight = GetAttrInt(num, "Height", p.NumHeight);
    }
    if (const XmlNode text = parms.child("Text")) {
        p.TextSize = GetAttrInt(text, "Size", p.TextSize);
        p.TextColor = readColor(text, p.TextColor);
        p.TextFont = GetAttr(text, "Font", p.TextFont);
        p.TextLeft = GetAttrInt(text, "Left", p.TextLeft);
        p.TextTop = GetAttrInt(text, "Top", p.TextTop);
        p.TextAutosize = GetAttr(text, "Autosize") != "F";
        p.TextHeight = GetAttrInt(text, "Height", p.TextHeight);
        p.TextLayout = readLayout(text);
    }
    return p;
}

} // namespace pw
