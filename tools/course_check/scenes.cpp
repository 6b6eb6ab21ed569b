// A 3D lesson's scene file: one Scene, or a set of them under Scenes.

#include "course_check/checks.h"

namespace pw {

void CheckScene(CourseScan &scan, const LessonFile &scene)
{
    pugi::xml_document doc;
    if (!scan.readXml(scene.path, doc))
        return;
    const XmlNode root = doc.document_element();
    if (std::string_view(root.name()) != "Scene" && SelectNodes(doc, "//Scenes/Scene").empty())
        scan.add(scene.path, "the file holds no Scene: the lesson shows nothing");
}

} // namespace pw
