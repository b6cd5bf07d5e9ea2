#pragma once

namespace tarvex {

// Keeps a help context for the time of a dialog and restores the previous one.
class HelpContextScope {
public:
    HelpContextScope(int& slot, int context) : m_slot(slot), m_previous(slot) { slot = context; }
    ~HelpContextScope() { m_slot = m_previous; }
    HelpContextScope(const HelpContextScope&) = delete;
    HelpContextScope& operator=(const HelpContextScope&) = delete;

private:
    int& m_slot;
    int m_previous;
};

}  // namespace tarvex
