// The kinds of alert; their five instances are class statics made at start-up.
#pragma once

#include <cstdint>

#include "runtime/lang/Object.h"

namespace javax::microedition::lcdui {

class AlertType : public java::lang::Object {
    JAVA_CLASS(AlertType, "javax.microedition.lcdui.AlertType", java::lang::Object)
public:
    static inline JavaPtr<AlertType> ALARM;
    static inline JavaPtr<AlertType> CONFIRMATION;
    static inline JavaPtr<AlertType> ERROR;
    static inline JavaPtr<AlertType> INFO;
    static inline JavaPtr<AlertType> WARNING;

    static void AlertType_staticInit();
    static void AlertType_staticDestroy();

    explicit AlertType(int32_t kind = 0) : m_kind(kind) {}
    int32_t getKind() const { return m_kind; }

private:
    int32_t m_kind;
};

}  // namespace javax::microedition::lcdui
