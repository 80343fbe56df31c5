// The quiz's image ids at the screen's scale.
#include "app/framework/HookCanvas.h"

using java::lang::jnew;

namespace {

struct ScaledImage {
    int32_t low;
    int32_t high;
};

constexpr ScaledImage SCALED_IMAGES[] = {
#define QUIZ_IMAGE_RESOURCES(name) {HookCanvas::RESID_##name##_LOW, HookCanvas::RESID_##name##_HIGH},
    QUIZ_IMAGES(QUIZ_IMAGE_RESOURCES)
#undef QUIZ_IMAGE_RESOURCES
};
static_assert(std::size(SCALED_IMAGES) == static_cast<size_t>(QuizImage::COUNT));

constexpr int32_t RANKS = 30;
// Badges exist for all ranks but the last.
constexpr int32_t BADGES = HookCanvas::RESID_RANKING_29_LOW - HookCanvas::RESID_RANKING_1_LOW + 1;
static_assert(BADGES == RANKS - 1 &&
              HookCanvas::RESID_RANKING_29_HIGH - HookCanvas::RESID_RANKING_1_HIGH + 1 == BADGES);

}  // namespace

void HookCanvas::setupImageResource() {
    auto ids = jnew<JArray<int32_t>>(static_cast<int32_t>(QuizImage::COUNT));
    for (int32_t i = 0; i < ids->length; ++i) ids->data[i] = retina ? SCALED_IMAGES[i].high : SCALED_IMAGES[i].low;
    auto ranks = jnew<JArray<int32_t>>(RANKS);
    for (int32_t i = 0; i < RANKS; ++i) ranks->data[i] = i < BADGES ? (retina ? RESID_RANKING_1_HIGH : RESID_RANKING_1_LOW) + i : -1;
    auto generic = jnew<JArray<int32_t>>(2);
    generic->data[0] = retina ? RESID_GENERIC_0_HIGH : RESID_GENERIC_0_LOW;
    generic->data[1] = retina ? RESID_GENERIC_0_LEVEL_HIGH : RESID_GENERIC_0_LEVEL_LOW;
    image_ids = ids;
    rank_image_ids = ranks;
    generic_image_ids = generic;
}
