// A command offered on a displayable or an item: two labels, a type and a placement priority.
// Immutable once made; displayables and the chrome hold and compare commands by identity.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

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

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, int32_t commandType, int32_t priority);
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& shortLabel,
                               const JavaPtr<java::lang::String>& longLabel, int32_t commandType, int32_t priority);
    // NullPointerException for a null label, IllegalArgumentException for an unknown type; nothing
    // is stored then. Any priority is allowed.
    void init(const JavaPtr<java::lang::String>& label, const JavaPtr<java::lang::String>& longLabel,
              int32_t commandType, int32_t priority);

    virtual int32_t getCommandType() { return m_commandType; }
    virtual JavaPtr<java::lang::String> getLabel() { return m_label; }
    // Null when none was given.
    virtual JavaPtr<java::lang::String> getLongLabel() { return m_longLabel; }
    virtual int32_t getPriority() { return m_priority; }

private:
    JavaPtr<java::lang::String> m_label;
    JavaPtr<java::lang::String> m_longLabel;
    int32_t m_priority = 0;
    int32_t m_commandType = 0;
};

}  // namespace javax::microedition::lcdui
