#include "panels/picture_set.h"

namespace pw {

bool PictureSet::Show(const std::string &name)
{
    if (name == m_shown)
        return false;
    m_shown = name;
    return true;
}

QPixmap PictureSet::Current() const
{
    const auto found = m_pictures.find(m_shown);
    return found == m_pictures.end() ? QPixmap() : found->second;
}

} // namespace pw
