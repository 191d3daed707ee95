// PNG of stored deflate blocks: signature, header, one IDAT chunk for the
// zlib header, one per row (a stored block holding the row's filter byte and
// RGB bytes), one for the Adler-32 checksum, and the end chunk.
#include "replay/stored_png.h"

#include <cstddef>
#include <cstdint>

#include "replay/write_all.h"

namespace kelto::replay {

namespace {

uint32_t crc_table[256];

uint32_t crc_update(uint32_t crc, const uint8_t *bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) crc = crc_table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

void put32(uint8_t *at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value >> 24);
    at[1] = static_cast<uint8_t>(value >> 16);
    at[2] = static_cast<uint8_t>(value >> 8);
    at[3] = static_cast<uint8_t>(value);
}

// One chunk: length, type and data from `chunk` (whose first 8 bytes are
// left for length and type), then the CRC of type and data.
bool write_chunk(int descriptor, uint8_t *chunk, const char (&type)[5], std::size_t data_size) {
    put32(chunk, static_cast<uint32_t>(data_size));
    for (int i = 0; i < 4; ++i) chunk[4 + i] = static_cast<uint8_t>(type[i]);
    uint8_t crc[4];
    put32(crc, crc_update(0xFFFFFFFFu, chunk + 4, data_size + 4) ^ 0xFFFFFFFFu);
    return write_all(descriptor, chunk, data_size + 8) && write_all(descriptor, crc, 4);
}

// A row's chunk: 8 bytes of chunk head, 5 of block head, the filter byte and
// three bytes a pixel.
constexpr std::size_t kRowChunkSize = 8 + 5 + 1 + 3 * kStoredPngMaxWidth;
uint8_t row_chunk[kRowChunkSize];

}  // namespace

void prepare_stored_png() {
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        crc_table[n] = c;
    }
}

bool write_stored_png(int descriptor, const Image &image) {
    if (image.width <= 0 || image.height <= 0 || image.width > kStoredPngMaxWidth) return false;
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!write_all(descriptor, signature, sizeof signature)) return false;

    uint8_t header[8 + 13] = {};
    put32(header + 8, static_cast<uint32_t>(image.width));
    put32(header + 12, static_cast<uint32_t>(image.height));
    header[16] = 8;  // bits per channel
    header[17] = 2;  // RGB
    uint8_t zlib_head[8 + 2] = {0, 0, 0, 0, 0, 0, 0, 0, 0x78, 0x01};
    if (!write_chunk(descriptor, header, "IHDR", 13) ||
        !write_chunk(descriptor, zlib_head, "IDAT", 2))
        return false;

    const std::size_t row_size = 1 + 3 * static_cast<std::size_t>(image.width);
    uint32_t adler_low = 1, adler_high = 0;
    for (int y = 0; y < image.height; ++y) {
        uint8_t *block = row_chunk + 8;
        block[0] = y + 1 == image.height ? 1 : 0;  // the last block ends the stream
        block[1] = static_cast<uint8_t>(row_size);
        block[2] = static_cast<uint8_t>(row_size >> 8);
        block[3] = static_cast<uint8_t>(~row_size);
        block[4] = static_cast<uint8_t>(~row_size >> 8);
        uint8_t *data = block + 5;
        data[0] = 0;  // no filter
        const uint32_t *pixels = image.row(y);
        for (int x = 0; x < image.width; ++x) {
            data[1 + 3 * x] = static_cast<uint8_t>(pixels[x] >> 16);
            data[2 + 3 * x] = static_cast<uint8_t>(pixels[x] >> 8);
            data[3 + 3 * x] = static_cast<uint8_t>(pixels[x]);
        }
        for (std::size_t i = 0; i < row_size; ++i) {
            adler_low = (adler_low + data[i]) % 65521;
            adler_high = (adler_high + adler_low) % 65521;
        }
        if (!write_chunk(descriptor, row_chunk, "IDAT", 5 + row_size)) return false;
    }
    uint8_t adler[8 + 4];
    put32(adler + 8, adler_high << 16 | adler_low);
    uint8_t end[8];
    return write_chunk(descriptor, adler, "IDAT", 4) && write_chunk(descriptor, end, "IEND", 0);
}

}  // namespace kelto::replay
