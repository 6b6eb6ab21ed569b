#pragma once

// The display parameters shared by every questionnaire, read once from sys.xml.

#include "document/xml_access.h"
#include "platform/canvas.h"

#include <string>

namespace pw {

enum class QuestTextLayout { Top, Bottom, Center };

struct TQUESTPARM
{
    // Answer boxes of a question without a picture.
    int DDLeft = 23;
    int DDBetween = 10;
    // Pixels per step of the horizontal scroll bar.
    int HorizontalStep = 30;

    int NumSize = 20;
    Color NumColor = MakeColor(0, 0, 255);
    bool NumBold = true;
    std::string NumFont = "Arial";
    int NumLeft = 3;
    int NumTop = 3;
    int NumHeight = 10;

    int TextSize = 10;
    Color TextColor = MakeColor(0, 0, 255);
    bool TextBold = true;
    std::string TextFont = "Arial";
    int TextLeft = 23;
    int TextTop = 3;
    bool TextAutosize = true;
    int TextHeight = 0;
    QuestTextLayout TextLayout = QuestTextLayout::Top;
};

// The QParms element under //Parameters of doc (the sys.xml document). Whatever is missing keeps
// its default; a colour component outside 0..255 throws RangeError, as the other colours of sys.xml.
TQUESTPARM ReadQuestParms(XmlNode doc);

} // namespace pw
