// Progressive JPEGs written marker by marker: grey pictures whose coefficients are all zero, in as
// many scans as asked, so that a test can make one that is cheap to write but costly to decode.
#pragma once

#include <cstdint>
#include <vector>

namespace lcduitest {

class ProgressiveJPEGWriter {
public:
    // A 4:2:0 picture of width x height (multiples of 16). Its scans: the DC in 14 interleaved
    // scans (first at bit 13, then one refinement per bit), then for each of the three components
    // and each of the first acCoefficients AC coefficients a first scan and acRefinements refinements.
    static std::vector<uint8_t> write(int32_t width, int32_t height, int32_t acCoefficients, int32_t acRefinements) {
        ProgressiveJPEGWriter out;
        out.marker(0xD8);
        out.segment(0xDB, {0x00}, 64, 1);  // one table of ones
        out.segment(0xC2, {8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width), 3, 1, 0x22, 0,
                           2, 0x11, 0, 3, 0x11, 0});
        // DC: category 0 only, code "0". AC: the fifteen end-of-band runs, four-bit codes.
        out.segment(0xC4, {0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        std::vector<uint8_t> ac = {0x10, 0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int r = 0; r <= 14; ++r) ac.push_back(uint8_t(r << 4));
        out.segment(0xC4, ac);
        const int64_t lumaBlocks = int64_t{width / 8} * (height / 8), chromaBlocks = int64_t{width / 16} * (height / 16);
        for (int al = 13; al >= 0; --al) {
            const int ah = al == 13 ? 0 : al + 1;
            out.segment(0xDA, {3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 0, uint8_t(ah << 4 | al)});
            for (int64_t i = 0; i < lumaBlocks + 2 * chromaBlocks; ++i) out.bits(0, 1);
            out.flushBits();
        }
        for (uint8_t component = 1; component <= 3; ++component) {
            const int64_t blocks = component == 1 ? lumaBlocks : chromaBlocks;
            for (int k = 1; k <= acCoefficients; ++k)
                for (int step = 0; step <= acRefinements; ++step) {
                    const int al = 13 - step, ah = step == 0 ? 0 : al + 1;
                    out.segment(0xDA, {1, component, 0x00, uint8_t(k), uint8_t(k), uint8_t(ah << 4 | al)});
                    out.endOfBands(blocks);
                    out.flushBits();
                }
        }
        out.marker(0xD9);
        return out.m_bytes;
    }

private:
    void marker(uint8_t code) {
        m_bytes.push_back(0xFF);
        m_bytes.push_back(code);
    }
    void segment(uint8_t code, std::vector<uint8_t> body, size_t repeatCount = 0, uint8_t repeated = 0) {
        body.insert(body.end(), repeatCount, repeated);
        marker(code);
        const size_t length = body.size() + 2;
        m_bytes.push_back(uint8_t(length >> 8));
        m_bytes.push_back(uint8_t(length));
        m_bytes.insert(m_bytes.end(), body.begin(), body.end());
    }
    // Entropy-coded bits, most significant first, with a zero stuffed after every 0xFF.
    void bits(uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            m_current = uint8_t(m_current << 1 | ((value >> i) & 1));
            if (++m_filled == 8) putByte();
        }
    }
    void flushBits() {
        while (m_filled != 0) bits(1, 1);
    }
    void putByte() {
        m_bytes.push_back(m_current);
        if (m_current == 0xFF) m_bytes.push_back(0x00);
        m_current = 0;
        m_filled = 0;
    }
    // Runs of empty blocks: symbol r << 4 (a four-bit code equal to r), then r bits of the run past 2^r.
    void endOfBands(int64_t blocks) {
        while (blocks > 0) {
            const int64_t run = blocks < 32767 ? blocks : 32767;
            int r = 0;
            while ((int64_t{2} << r) <= run) ++r;
            bits(uint32_t(r), 4);
            bits(uint32_t(run - (int64_t{1} << r)), r);
            blocks -= run;
        }
    }

    std::vector<uint8_t> m_bytes;
    uint8_t m_current = 0;
    int m_filled = 0;
};

}  // namespace lcduitest
