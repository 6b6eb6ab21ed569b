#pragma once

#include <QIcon>
#include <QPixmap>

#include <vector>

namespace pw {

// The icons of the navigation trees, drawn at run time: 0 page, 1 theory page, 2 harmony
// exercise, 3 keyboard drill, 4 questionnaire, 5 task sheet, 6 3D scene, 7 video, 8 closed
// heading, 9 open heading, 10 the student's results.
std::vector<QIcon> MakeTreeImageList();

// The pictures of the two tab buttons under the trees, which carry the tab texts: 0 and 1 in
// Russian, 2 and 3 for any other language.
std::vector<QPixmap> MakeTabImageList();

} // namespace pw
