// A command offered on a displayable; displayables hold and compare commands by identity.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

class Command : public java::lang::Object {
    JAVA_CLASS(Command, "javax.microedition.lcdui.Command", java::lang::Object)
public:
    static constexpr int32_t SCREEN = 1;
    static constexpr int32_t BACK = 2;
    static constexpr int32_t CANCEL = 3;
    static constexpr int32_t OK = 4;
    static constexpr int32_t HELP = 5;
    static constexpr int32_t STOP = 6;
    static constexpr int32_t EXIT = 7;
    static constexpr int32_t ITEM = 8;

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, int32_t commandType, int32_t priority) {
        Object::WENDinvokeconstructor();
        m_label = label;
        m_commandType = commandType;
        m_priority = priority;
    }

    virtual int32_t getCommandType() { return m_commandType; }
    virtual JavaPtr<java::lang::String> getLabel() { return m_label; }
    virtual int32_t getPriority() { return m_priority; }

private:
    JavaPtr<java::lang::String> m_label;
    int32_t m_commandType = 0;
    int32_t m_priority = 0;
};

}  // namespace javax::microedition::lcdui
