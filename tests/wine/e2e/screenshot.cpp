// A PNG writer with no library behind it: the pixels go into stored
// (uncompressed) deflate blocks, which every PNG reader takes.
#include "screenshot.h"
#include "check.h"

static void Put32(std::string &out, unsigned value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char(value >> shift);
}

static void Chunk(std::string &png, const char *type, const std::string &data)
{
    static unsigned table[256];
    for (unsigned n = 0; n < 256 && !table[255]; ++n) {
        table[n] = n;
        for (int k = 0; k < 8; ++k)
            table[n] = table[n] & 1 ? 0xEDB88320u ^ (table[n] >> 1) : table[n] >> 1;
    }
    std::string body = type + data;
    unsigned crc = 0xFFFFFFFFu;
    for (unsigned char b : body)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    Put32(png, unsigned(data.size()));
    png += body;
    Put32(png, ~crc);
}

bool SaveWindowPng(HWND window, const std::string &path)
{
    RECT area;
    GetWindowRect(window, &area);
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top row first
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool copied = bitmap && BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    // Each row: filter 0, then red, green and blue of every pixel.
    std::string raw;
    for (int y = 0; copied && y < height; ++y) {
        raw += '\0';
        for (const unsigned char *p = static_cast<unsigned char *>(bits) + 4 * width * y, *end = p + 4 * width; p < end;
             p += 4)
            raw += {char(p[2]), char(p[1]), char(p[0])};
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    // zlib stream: stored blocks of at most 65,535 bytes, then Adler-32.
    std::string zlib = "\x78\x01", header;
    unsigned a = 1, b = 0;
    for (unsigned char c : raw)
        a = (a + c) % 65521, b = (b + a) % 65521;
    for (size_t at = 0, n; at < raw.size(); at += n) {
        n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        zlib += {char(at + n == raw.size()), char(n), char(n >> 8), char(~n), char(~n >> 8)};
        zlib.append(raw, at, n);
    }
    Put32(zlib, (b << 16) | a);
    Put32(header, unsigned(width));
    Put32(header, unsigned(height));
    header += {8, 2, 0, 0, 0}; // 8-bit RGB, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", "");
    return copied && WriteFileBytes(path, png);
}
