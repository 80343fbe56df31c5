#include "runtime/media/control/ToneControlImpl.h"

#include "runtime/media/PlayerImpl.h"

namespace javax::microedition::media::control {

ToneControlImpl::ToneControlImpl(JavaPtr<PlayerImpl> player) : player(std::move(player)) {}

ToneControlImpl::~ToneControlImpl() = default;

void ToneControlImpl::notifyParentClosed() {
    JavaPtr<PlayerImpl> dropped;
    std::lock_guard guard(m_lock);
    dropped = std::move(player);
}

}  // namespace javax::microedition::media::control
