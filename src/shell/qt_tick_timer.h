#pragma once

#include "entry/exercise_player.h"

#include <QPointer>
#include <QTimer>

#include <functional>

namespace pw {

// A model timer with a QTimer behind it: switching it on starts the QTimer, each timeout runs the
// action on the user-interface thread. The QTimer belongs to owner, so it is found by name there.
class QtTickTimer : public PlayTimer
{
public:
    QtTickTimer(QObject *owner, const char *name, int intervalMs, std::function<void()> action)
        : m_timer(new QTimer(owner))
    {
        m_timer->setObjectName(name);
        m_timer->setInterval(intervalMs);
        QObject::connect(m_timer, &QTimer::timeout, std::move(action));
        PlayTimer::setInterval(intervalMs);
    }
    void setEnabled(bool enabled) override
    {
        PlayTimer::setEnabled(enabled);
        if (!m_timer)
            return;
        if (enabled)
            m_timer->start();
        else
            m_timer->stop();
    }
    void setInterval(int ms) override
    {
        PlayTimer::setInterval(ms);
        if (m_timer)
            m_timer->setInterval(ms);
    }

private:
    QPointer<QTimer> m_timer;
};

} // namespace pw
