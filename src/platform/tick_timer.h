#pragma once

namespace pw {

// A periodic timer that model code switches on and off; the shell gives it a real QTimer behind
// this interface, the headless tools and tests keep the plain switch.
class TickTimer
{
public:
    virtual ~TickTimer() = default;
    virtual void setEnabled(bool enabled) { m_enabled = enabled; }
    bool enabled() const { return m_enabled; }

private:
    bool m_enabled = false;
};

} // namespace pw
