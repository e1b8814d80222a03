#include "MemoryFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace varno::emulator {

namespace {

void appendHex(std::string &out, std::uint8_t byte)
{
    static const char digits[] = "0123456789ABCDEF";
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

std::string printableName(const std::array<std::uint8_t, TPlayerMemory::NameSize> &name)
{
    std::string text;
    for (std::uint8_t c : name) {
        if (c == 0)
            break;
        text += (c >= 0x20 && c < 0x7F) ? char(c) : '.';
    }
    return text;
}

bool parseNumber(std::string_view token, int base, int &value)
{
    const char *end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value, base);
    return ec == std::errc() && ptr == end && !token.empty();
}

bool parseBytes(const std::vector<std::string_view> &tokens, std::size_t from,
                std::vector<std::uint8_t> &bytes)
{
    for (std::size_t i = from; i < tokens.size(); ++i) {
        int value = 0;
        if (tokens[i].size() != 2 || !parseNumber(tokens[i], 16, value))
            return false;
        bytes.push_back(std::uint8_t(value));
    }
    return true;
}

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        std::size_t j = i;
        while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j])))
            ++j;
        if (j > i)
            words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

// Checks the "key:" token and returns what is between the prefix and the colon.
bool keyOf(std::string_view token, std::string_view prefix, std::string_view &key)
{
    if (token.size() < prefix.size() + 2 || token.substr(0, prefix.size()) != prefix ||
        token.back() != ':')
        return false;
    key = token.substr(prefix.size(), token.size() - prefix.size() - 1);
    return true;
}

std::string parseLine(const std::vector<std::string_view> &words, TPlayerMemory &memory)
{
    std::string_view key;
    std::vector<std::uint8_t> bytes;
    if (words.size() < 2)
        return "expected \"slot\", \"name\" or \"byte\" followed by a key and bytes";
    if (!parseBytes(words, 2, bytes))
        return "bytes must be two hex digits each";
    int number = 0;
    if (words[0] == "slot") {
        if (!keyOf(words[1], "", key) || !parseNumber(key, 10, number) || number < 1 ||
            number > TPlayerMemory::SlotCount)
            return "slot number must be 1 to 255, as in \"slot 007:\"";
        if (bytes.size() != TPlayerMemory::BlockSize)
            return "a slot holds exactly 24 bytes";
        TPlayerMemory::Block block{};
        std::copy(bytes.begin(), bytes.end(), block.begin());
        memory.setBlock(number, block);
        return {};
    }
    if (words[0] == "name") {
        if (!keyOf(words[1], "+", key) || !parseNumber(key, 16, number) || number < 0 ||
            number >= TPlayerMemory::NameSize)
            return "name offset must be +00 to +3F, as in \"name +10:\"";
        if (bytes.empty() || bytes.size() > 16 ||
            number + int(bytes.size()) > TPlayerMemory::NameSize)
            return "a name line holds 1 to 16 bytes within the 64 bytes of the name";
        for (std::size_t i = 0; i < bytes.size(); ++i)
            memory.setByte(TPlayerMemory::NameAddressHigh,
                           std::uint8_t(TPlayerMemory::NameAddressLow + number + int(i)), bytes[i]);
        return {};
    }
    if (words[0] == "byte") {
        if (!keyOf(words[1], "", key) || key.size() != 4 || !parseNumber(key, 16, number))
            return "an EEPROM address is four hex digits, as in \"byte 6010:\"";
        if (bytes.size() != 1)
            return "a byte line holds exactly one byte";
        memory.setByte(std::uint8_t(number >> 8), std::uint8_t(number & 0xFF), bytes[0]);
        return {};
    }
    return "unknown entry \"" + std::string(words[0]) + "\"";
}

bool isNameAddress(int address)
{
    const int first = TPlayerMemory::NameAddressHigh << 8 | TPlayerMemory::NameAddressLow;
    return address >= first && address < first + TPlayerMemory::NameSize;
}

} // namespace

std::string FormatMemory(const TPlayerMemory &memory)
{
    std::string out;
    out += "# VARNO player memory\n"
           "# slot NNN: the 24 bytes of program block NNN, byte 0 first\n"
           "# name +OO: bytes of the project name from EEPROM 0x60 0x10+OO\n"
           "# byte HHLL: one more EEPROM byte at address HH LL\n";
    char label[16];
    for (int slot = 1; slot <= TPlayerMemory::SlotCount; ++slot) {
        std::snprintf(label, sizeof label, "slot %03d:", slot);
        out += label;
        for (std::uint8_t b : memory.block(slot)) {
            out += ' ';
            appendHex(out, b);
        }
        out += '\n';
    }
    const auto name = memory.name();
    out += "# project name: \"" + printableName(name) + "\"\n";
    for (int offset = 0; offset < TPlayerMemory::NameSize; offset += 16) {
        std::snprintf(label, sizeof label, "name +%02X:", offset);
        out += label;
        for (int i = offset; i < offset + 16; ++i) {
            out += ' ';
            appendHex(out, name[std::size_t(i)]);
        }
        out += '\n';
    }
    for (int address = 0; address < 0x10000; ++address) {
        const std::uint8_t value = memory.byte(std::uint8_t(address >> 8), std::uint8_t(address));
        if (value == 0 || isNameAddress(address))
            continue;
        std::snprintf(label, sizeof label, "byte %04X:", address);
        out += label;
        out += ' ';
        appendHex(out, value);
        out += '\n';
    }
    return out;
}

bool ParseMemory(std::string_view text, TPlayerMemory &memory, std::string &error)
{
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        const std::vector<std::string_view> words = splitWords(line);
        if (words.empty() || words[0].front() == '#')
            continue;
        const std::string problem = parseLine(words, memory);
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    return true;
}

bool LoadMemoryFile(const std::string &path, TPlayerMemory &memory, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    TPlayerMemory loaded = TPlayerMemory::Empty();
    if (!ParseMemory(text.str(), loaded, error)) {
        error = path + ", " + error;
        return false;
    }
    memory = std::move(loaded);
    return true;
}

bool SaveMemoryFile(const std::string &path, const TPlayerMemory &memory, std::string &error)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << FormatMemory(memory);
        out.flush();
        if (!out) {
            error = temporary + ": " + std::strerror(errno);
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace varno::emulator
