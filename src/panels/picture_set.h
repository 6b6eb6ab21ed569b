#pragma once

#include <QPixmap>

#include <map>
#include <string>

namespace pw {

// The named pictures one control can show, and which one it shows now. Showing the picture already
// shown changes nothing, so controls repaint only when their picture really changes.
class PictureSet
{
public:
    void Add(const std::string &name, const QPixmap &picture) { m_pictures[name] = picture; }
    // True when the shown picture changed.
    bool Show(const std::string &name);
    const std::string &Shown() const { return m_shown; }
    // The shown picture; a null pixmap when its file was missing.
    QPixmap Current() const;

private:
    std::map<std::string, QPixmap> m_pictures;
    std::string m_shown;
};

} // namespace pw
