// A source of media data given to the manager; no source of this kind can make a player here.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::media::protocol {

class DataSource : public java::lang::Object {
    JAVA_CLASS(DataSource, "javax.microedition.media.protocol.DataSource", java::lang::Object)
};

}  // namespace javax::microedition::media::protocol
