// text-to-ico: turns pictures written as rows of letters into a Windows icon
// file (.ico), so that every pixel of an icon resource can be reviewed in a
// diff. A host tool: the build compiles it with the host C++ compiler.
//
//   text-to-ico picture.txt output.ico
//
// Input, line by line ("#" starts a comment, blank lines are ignored):
//   depths 4 8 24          the colour depths of every image, in this order
//   colour g B4B4B4 L      an extra letter: its RGB colour in the 8- and
//                          24-bit images, and the 16-colour letter that
//                          stands for it in the 4-bit image
//   image 48               a square picture of 48 x 48 pixels; its rows follow,
//                          top row first, one letter per pixel; a row may be
//                          followed by "xN" to repeat it N times
//
// Letters: "." is transparent; the 16 colours have the letters and palette
// of scripts/text-to-bmp (K black, D 808080, L C0C0C0, W white, R red, ...).
// The icon holds one image per picture and depth, pictures in file order,
// each picture at each depth in the order given. 4-bit images carry the
// 16-colour palette; 8-bit images a 256-entry palette of the 16 colours and
// then the extra colours; 24-bit images the RGB values. Every image has its
// transparency mask.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kLegend = "KMGONPTDLREYBFAW";
const std::uint32_t kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                    0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

struct Extra {
    std::uint32_t rgb;
    char standIn;  // the 16-colour letter for 4-bit images
};

struct Picture {
    int size = 0;
    std::vector<std::string> rows;
};

struct Source {
    std::vector<int> depths;
    std::map<char, Extra> extras;
    std::vector<char> extraOrder;
    std::vector<Picture> pictures;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what)
{
    std::cerr << where << ": " << what << "\n";
    std::exit(1);
}

Source Read(const char* path)
{
    std::ifstream in(path);
    if (!in)
        Fail(path, "cannot read");
    Source source;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = std::string(path) + ":" + std::to_string(number);
        if (const auto hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string first;
        if (!(words >> first))
            continue;
        if (first == "depths") {
            int depth;
            while (words >> depth) {
                if (depth != 4 && depth != 8 && depth != 24)
                    Fail(where, "depths are 4, 8 or 24");
                source.depths.push_back(depth);
            }
        } else if (first == "colour") {
            std::string letter, rgb, standIn;
            if (!(words >> letter >> rgb >> standIn) || letter.size() != 1 || rgb.size() != 6 ||
                standIn.size() != 1 || kLegend.find(standIn[0]) == std::string::npos ||
                kLegend.find(letter[0]) != std::string::npos || letter[0] == '.')
                Fail(where, "expected: colour <new letter> <RRGGBB> <16-colour letter>");
            source.extras[letter[0]] = {static_cast<std::uint32_t>(std::stoul(rgb, nullptr, 16)), standIn[0]};
            source.extraOrder.push_back(letter[0]);
        } else if (first == "image") {
            Picture picture;
            if (!(words >> picture.size) || picture.size < 1 || picture.size > 255)
                Fail(where, "expected: image <size from 1 to 255>");
            source.pictures.push_back(picture);
        } else {
            if (source.pictures.empty())
                Fail(where, "a row before the first image line");
            Picture& picture = source.pictures.back();
            std::string repeat, extra;
            int count = 1;
            if (words >> repeat) {
                if (repeat.size() < 2 || repeat[0] != 'x' || (words >> extra))
                    Fail(where, "expected a row and an optional xN");
                count = std::stoi(repeat.substr(1));
            }
            if (static_cast<int>(first.size()) != picture.size)
                Fail(where, "row is " + std::to_string(first.size()) + " pixels wide, the image " +
                                std::to_string(picture.size));
            for (char c : first) {
                if (c != '.' && kLegend.find(c) == std::string::npos && !source.extras.count(c))
                    Fail(where, std::string("unknown letter ") + c);
            }
            for (int i = 0; i < count; ++i)
                picture.rows.push_back(first);
        }
    }
    if (source.depths.empty())
        Fail(path, "no depths line");
    if (source.pictures.empty())
        Fail(path, "no image");
    for (const Picture& picture : source.pictures) {
        if (static_cast<int>(picture.rows.size()) != picture.size)
            Fail(path, "image " + std::to_string(picture.size) + " has " + std::to_string(picture.rows.size()) +
                           " rows");
    }
    return source;
}

void PutWord(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutDword(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

void PutRgbQuad(std::vector<std::uint8_t>& out, std::uint32_t rgb)
{
    out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));          // blue
    out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));   // green
    out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));  // red
    out.push_back(0);
}

// One image: BITMAPINFOHEADER (height doubled for the mask), palette,
// colour bits and mask, both bottom-up with rows padded to four bytes.
std::vector<std::uint8_t> Image(const Source& source, const Picture& picture, int depth)
{
    const int size = picture.size;
    const int colourRow = ((size * depth + 31) / 32) * 4;
    const int maskRow = ((size + 31) / 32) * 4;
    const int paletteSize = depth == 4 ? 16 : depth == 8 ? 256 : 0;

    std::vector<std::uint8_t> out;
    PutDword(out, 40);
    PutDword(out, static_cast<std::uint32_t>(size));
    PutDword(out, static_cast<std::uint32_t>(size * 2));
    PutWord(out, 1);
    PutWord(out, static_cast<unsigned>(depth));
    PutDword(out, 0);  // BI_RGB
    PutDword(out, static_cast<std::uint32_t>((colourRow + maskRow) * size));
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, 0);

    std::map<char, int> index;  // palette index of each letter
    for (int i = 0; i < 16; ++i)
        index[kLegend[static_cast<std::size_t>(i)]] = i;
    for (std::size_t i = 0; i < source.extraOrder.size(); ++i) {
        const char letter = source.extraOrder[i];
        index[letter] = depth == 4 ? index[source.extras.at(letter).standIn] : 16 + static_cast<int>(i);
    }
    for (int i = 0; i < paletteSize; ++i) {
        std::uint32_t rgb = 0;
        if (i < 16)
            rgb = kPalette[i];
        else if (static_cast<std::size_t>(i - 16) < source.extraOrder.size())
            rgb = source.extras.at(source.extraOrder[static_cast<std::size_t>(i - 16)]).rgb;
        PutRgbQuad(out, rgb);
    }
    auto rgbOf = [&](char letter) {
        const auto extra = source.extras.find(letter);
        return extra != source.extras.end() ? extra->second.rgb
                                             : kPalette[static_cast<std::size_t>(index.at(letter))];
    };

    for (int y = size - 1; y >= 0; --y) {
        const std::string& row = picture.rows[static_cast<std::size_t>(y)];
        std::vector<std::uint8_t> bytes;
        for (int x = 0; x < size; ++x) {
            const char letter = row[static_cast<std::size_t>(x)];
            const bool clear = letter == '.';
            if (depth == 24) {
                const std::uint32_t rgb = clear ? 0 : rgbOf(letter);
                bytes.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
            } else if (depth == 8) {
                bytes.push_back(static_cast<std::uint8_t>(clear ? 0 : index.at(letter)));
            } else {
                const int value = clear ? 0 : index.at(letter);
                if (x % 2 == 0)
                    bytes.push_back(static_cast<std::uint8_t>(value << 4));
                else
                    bytes.back() = static_cast<std::uint8_t>(bytes.back() | value);
            }
        }
        bytes.resize(static_cast<std::size_t>(colourRow), 0);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        const std::string& row = picture.rows[static_cast<std::size_t>(y)];
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(maskRow), 0);
        for (int x = 0; x < size; ++x) {
            if (row[static_cast<std::size_t>(x)] == '.')
                bytes[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " picture.txt output.ico\n";
        return 2;
    }
    const Source source = Read(argv[1]);

    struct Entry {
        int size;
        int depth;
        std::vector<std::uint8_t> data;
    };
    std::vector<Entry> entries;
    for (const Picture& picture : source.pictures) {
        for (int depth : source.depths)
            entries.push_back({picture.size, depth, Image(source, picture, depth)});
    }

    std::vector<std::uint8_t> out;
    PutWord(out, 0);  // reserved
    PutWord(out, 1);  // icon
    PutWord(out, static_cast<unsigned>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const Entry& entry : entries) {
        out.push_back(static_cast<std::uint8_t>(entry.size));
        out.push_back(static_cast<std::uint8_t>(entry.size));
        out.push_back(static_cast<std::uint8_t>(entry.depth == 4 ? 16 : 0));  // colours, below 256
        out.push_back(0);
        PutWord(out, 1);  // planes
        PutWord(out, static_cast<unsigned>(entry.depth));
        PutDword(out, static_cast<std::uint32_t>(entry.data.size()));
        PutDword(out, offset);
        offset += static_cast<std::uint32_t>(entry.data.size());
    }
    for (const Entry& entry : entries)
        out.insert(out.end(), entry.data.begin(), entry.data.end());

    const std::string temporary = std::string(argv[2]) + ".tmp";
    std::ofstream file(temporary, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file || std::rename(temporary.c_str(), argv[2]) != 0)
        Fail(argv[2], "cannot write");
    return 0;
}
