#include "runtime/lcdui/chrome/Command.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

void Command::WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, int32_t commandType,
                                    int32_t priority) {
    Object::WENDinvokeconstructor();
    init(label, nullptr, commandType, priority);
}

void Command::WENDinvokeconstructor(const JavaPtr<java::lang::String>& shortLabel,
                                    const JavaPtr<java::lang::String>& longLabel, int32_t commandType,
                                    int32_t priority) {
    Object::WENDinvokeconstructor();
    init(shortLabel, longLabel, commandType, priority);
}

void Command::init(const JavaPtr<java::lang::String>& label, const JavaPtr<java::lang::String>& longLabel,
                   int32_t commandType, int32_t priority) {
    if (!label) throw java::lang::NullPointerException();
    if (commandType < SCREEN || commandType > ITEM) throw java::lang::IllegalArgumentException();
    m_label = label;
    m_longLabel = longLabel;
    m_commandType = commandType;
    m_priority = priority;
}

}  // namespace javax::microedition::lcdui
