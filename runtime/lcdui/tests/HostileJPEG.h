// Progressive JPEGs written marker by marker: flat pictures whose coefficients are all zero, sampled
// and split into as many scans as asked, so that a test can make one that is cheap to write but
// costly to decode.
#pragma once

#include <cstdint>
#include <vector>

namespace lcduitest {

class ProgressiveJPEGWriter {
public:
    // Sampling factors of the luma (or only) component; the chroma ones are 1 x 1.
    enum class Sampling { GREY, YCBCR_420, YCBCR_422, YCBCR_444 };

    // A picture of width x height (multiples of 16). Its scans: the DC in 14 interleaved
    // scans (first at bit 13, then one refinement per bit), then for each component and each of the
    // first acCoefficients AC coefficients a first scan and acRefinements refinements.
    static std::vector<uint8_t> write(int32_t width, int32_t height, int32_t acCoefficients, int32_t acRefinements,
                                      Sampling sampling = Sampling::YCBCR_420) {
        const uint8_t lumaFactors = sampling == Sampling::YCBCR_420   ? 0x22
                                    : sampling == Sampling::YCBCR_422 ? 0x21
                                                                      : 0x11;
        const uint8_t components = sampling == Sampling::GREY ? 1 : 3;
        ProgressiveJPEGWriter out;
        out.marker(0xD8);
        out.segment(0xDB, {0x00}, 64, 1);  // one table of ones
        std::vector<uint8_t> frame = {8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width),
                                      components};
        std::vector<int64_t> blocks;
        for (uint8_t component = 1; component <= components; ++component) {
            const uint8_t factors = component == 1 ? lumaFactors : 0x11;
            frame.insert(frame.end(), {component, factors, 0});
            blocks.push_back(int64_t{width / 8 * (factors >> 4) / (lumaFactors >> 4)} *
                             (height / 8 * (factors & 15) / (lumaFactors & 15)));
        }
        out.segment(0xC2, frame);
        // DC: category 0 only, code "0". AC: the fifteen end-of-band runs, four-bit codes.
        out.segment(0xC4, {0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        std::vector<uint8_t> ac = {0x10, 0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int r = 0; r <= 14; ++r) ac.push_back(uint8_t(r << 4));
        out.segment(0xC4, ac);
        int64_t allBlocks = 0;
        for (const int64_t count : blocks) allBlocks += count;
        for (int al = 13; al >= 0; --al) {
            const int ah = al == 13 ? 0 : al + 1;
            std::vector<uint8_t> scan = {components};
            for (uint8_t component = 1; component <= components; ++component) scan.insert(scan.end(), {component, 0x00});
            scan.insert(scan.end(), {0, 0, uint8_t(ah << 4 | al)});
            out.segment(0xDA, scan);
            for (int64_t i = 0; i < allBlocks; ++i) out.bits(0, 1);
            out.flushBits();
        }
        for (uint8_t component = 1; component <= components; ++component) {
            for (int k = 1; k <= acCoefficients; ++k)
                for (int step = 0; step <= acRefinements; ++step) {
                    const int al = 13 - step, ah = step == 0 ? 0 : al + 1;
                    out.segment(0xDA, {1, component, 0x00, uint8_t(k), uint8_t(k), uint8_t(ah << 4 | al)});
                    out.endOfBands(blocks[component - 1]);
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
