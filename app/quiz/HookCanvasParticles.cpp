// The twinkle pool: bursts from the finger that fly out, age, animate and drift with the tilt.
// All in integer fixed point (16.16 positions, sines x 1024).
#include "app/framework/HookCanvas.h"
#include "runtime/lang/Exceptions.h"

namespace {

constexpr int32_t RECORD = 8;
constexpr int32_t MOST_AGE = 1200;
constexpr int32_t MARGIN_BEFORE = 200;
constexpr int32_t MARGIN_AFTER = 100;
constexpr int32_t BIRTH_PULL = 0x8000;

using H = HookCanvas;

int32_t& word(int32_t slot, int32_t index) { return H::particles->data[slot * RECORD + index]; }
bool alive(int32_t slot) { return (word(slot, H::pt_flags) & H::pt_alive) != 0; }
int32_t age(int32_t slot) { return static_cast<int16_t>(word(slot, H::pt_flags) & H::pt_age_mask); }

// Whole degrees to radians x 1024, after bringing the angle into -180 .. 180.
int32_t radiansOf(int32_t degrees) {
    while (degrees > 180) degrees -= 360;
    while (degrees < -180) degrees += 360;
    return (degrees * 143) >> 3;
}

int32_t seriesSin(int32_t r) {
    int32_t terms[10];
    terms[1] = r;
    for (int32_t k = 2; k <= 9; ++k) terms[k] = ((r * terms[k - 1]) / k) >> 10;
    return terms[1] - terms[3] + terms[5] - terms[7] + terms[9];
}

int32_t seriesCos(int32_t r) {
    const int32_t a = (r * r) >> 11;
    const int32_t b = (r * ((r * a) / 3 >> 10)) / 4096;
    const int32_t c = (r * ((r * b) / 5 >> 10)) / 6 >> 10;
    const int32_t d = (r * ((r * c) / 7 >> 10)) / 8192;
    return 1024 - a + b - c + d;
}

}  // namespace

void HookCanvas::particle_shower(int32_t x, int32_t y, int32_t colour, int32_t count) {
    if (!particles) return;
    if (count < 1) throw java::lang::IllegalArgumentException("a shower needs at least one twinkle");
    int32_t free = 0;
    for (int32_t slot = 0; slot < MAX_PARTICLES; ++slot) free += alive(slot) ? 0 : 1;
    for (int32_t retire = count - free; retire >= 1; --retire) {
        int32_t oldest = -1;
        for (int32_t slot = 0; slot < MAX_PARTICLES; ++slot)
            if (alive(slot) && (oldest < 0 || age(slot) > age(oldest))) oldest = slot;
        if (oldest < 0) break;
        word(oldest, pt_flags) = 0;
    }
    const int32_t step = 360 / count;
    for (int32_t slot = 0; slot < MAX_PARTICLES && count > 0; ++slot) {
        if (alive(slot)) continue;
        const int32_t base = slot * step;
        const int32_t r = radiansOf(base + step / 2 - random(step));
        const int32_t sine = seriesSin(r);
        const int32_t cosine = seriesCos(r);
        word(slot, pt_x) = x << 16;
        word(slot, pt_y) = y << 16;
        word(slot, pt_vx) = (sine << 8) + (random(32) + 32) * sine;
        word(slot, pt_vy) = (cosine << 8) + (random(32) + 32) * cosine;
        word(slot, pt_ax) = 0;
        word(slot, pt_ay) = BIRTH_PULL;
        word(slot, pt_frame_colour) = random(4) | colour << 16;
        word(slot, pt_flags) = pt_alive;
        --count;
    }
}

void HookCanvas::tick_particles() {
    if (!particles) return;
    const int64_t width = PARAM_WL_BASE_SCREEN_WIDTH.load(std::memory_order_relaxed);
    const int64_t height = PARAM_WL_BASE_SCREEN_HEIGHT.load(std::memory_order_relaxed);
    const int32_t roll = tilt_roll.load(std::memory_order_relaxed);
    const int32_t pitch = tilt_pitch.load(std::memory_order_relaxed);
    for (int32_t slot = 0; slot < MAX_PARTICLES; ++slot) {
        if (!alive(slot)) continue;
        word(slot, pt_x) += word(slot, pt_vx);
        word(slot, pt_y) += word(slot, pt_vy);
        word(slot, pt_vx) += word(slot, pt_ax);
        word(slot, pt_vy) += word(slot, pt_ay);
        const int32_t older = static_cast<int16_t>((word(slot, pt_flags) & pt_age_mask) + 1);
        const int64_t px = word(slot, pt_x);
        const int64_t py = word(slot, pt_y);
        const bool stays = older <= MOST_AGE && py >= -MARGIN_BEFORE * 65536LL && py <= (height + MARGIN_AFTER) * 65536 &&
                           px >= -MARGIN_BEFORE * 65536LL && px <= (width + MARGIN_AFTER) * 65536;
        if (stays) {
            word(slot, pt_flags) = static_cast<int32_t>((static_cast<uint32_t>(word(slot, pt_flags)) & 0xFFFF0000u) |
                                                        (static_cast<uint32_t>(older) & 0xFFFFu));
            const int32_t frameColour = word(slot, pt_frame_colour);
            word(slot, pt_frame_colour) = (frameColour & static_cast<int32_t>(0xFFFF0000u)) | ((frameColour + 1) & 3);
        } else {
            word(slot, pt_flags) &= ~pt_alive;
        }
        word(slot, pt_ax) = (word(slot, pt_ax) + roll * 20) >> 1;
        word(slot, pt_ay) = (word(slot, pt_ay) - pitch * 20) >> 1;
    }
}

void HookCanvas::render_particles(const JavaPtr<Graphics>& g) {
    if (!particles || !twinkle_ids) return;
    for (int32_t slot = 0; slot < MAX_PARTICLES; ++slot) {
        if (!alive(slot)) continue;
        const int32_t frameColour = word(slot, pt_frame_colour);
        const int32_t image = twinkle_ids->data[frameColour >> 16]->data[frameColour & 0xFFFF];
        drawImageIDNoTransform(g, image, 0, word(slot, pt_x) >> 16, word(slot, pt_y) >> 16, 3);
    }
}

int32_t HookCanvas::count_particles() {
    if (!particles) return 0;
    int32_t live = 0;
    for (int32_t slot = 0; slot < MAX_PARTICLES; ++slot) live += alive(slot) ? 1 : 0;
    return live;
}

void HookCanvas::reset_particles() {
    if (!particles) return;
    for (int32_t slot = 0; slot < MAX_PARTICLES; ++slot) word(slot, pt_flags) = 0;
}
