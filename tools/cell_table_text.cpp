#include "cell_table_text.h"

#include <charconv>
#include <sstream>

namespace qeli::tools {

namespace {

using graphics::CellRecord;
using graphics::CellType;

// A record in its shortest exact form.
std::string recordLine(const CellRecord& r) {
    const auto& w = r.words;
    std::ostringstream out;
    bool restZero = w[1] == 0 && w[2] == 0 && w[3] == 0 && w[4] == 0 && w[5] == 0 && w[6] == 0;
    if (r.isSeparator()) {
        out << "separator";
    } else if (r.type() == int32_t(CellType::Image)) {
        out << "image " << w[0] << ' ' << w[1] << ' ' << w[2] << ' ' << w[3] << ' ' << w[4];
        if (w[5] != 0 || w[6] != 0) out << ' ' << w[5];
        if (w[6] != 0) out << ' ' << w[6];
    } else if (r.type() == int32_t(CellType::Jump) && restZero) {
        out << "jump " << w[0];
    } else if (r.type() == int32_t(CellType::Character) && restZero) {
        out << "character " << w[0];
    } else {
        out << "raw";
        for (int32_t word : w) out << ' ' << word;
    }
    return out.str();
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool parseNumbers(const std::vector<std::string_view>& words, size_t from, std::vector<int32_t>& out) {
    for (size_t i = from; i < words.size(); ++i) {
        int32_t value = 0;
        auto [end, error] = std::from_chars(words[i].data(), words[i].data() + words[i].size(), value);
        if (error != std::errc() || end != words[i].data() + words[i].size()) return false;
        out.push_back(value);
    }
    return true;
}

// The record of one line, or nothing when the line is not a valid record.
std::optional<CellRecord> parseRecord(const std::vector<std::string_view>& words) {
    std::vector<int32_t> n;
    if (!parseNumbers(words, 1, n)) return std::nullopt;
    std::string_view kind = words[0];
    CellRecord r;
    if (kind == "separator" && n.empty()) return r;
    if (kind == "image" && n.size() >= 5 && n.size() <= 7) {
        for (size_t i = 0; i < n.size(); ++i) r.words[i] = n[i];
        return r;
    }
    if ((kind == "jump" || kind == "character") && n.size() == 1) {
        r.words[0] = n[0];
        r.words[7] = kind == "jump" ? int32_t(CellType::Jump) : int32_t(CellType::Character);
        return r;
    }
    if (kind == "raw" && n.size() == 8) {
        for (size_t i = 0; i < 8; ++i) r.words[i] = n[i];
        return r;
    }
    return std::nullopt;
}

}  // namespace

std::string cellTableToText(const graphics::CellTable& table) {
    std::string text = "# sprite-cell table: " + std::to_string(table.records.size()) + " records, " +
                       std::to_string(table.characters.size()) + " characters\n";
    size_t character = 0;
    bool startsCharacter = true;
    for (const CellRecord& record : table.records) {
        if (startsCharacter) text += "# character " + std::to_string(character) + "\n";
        text += recordLine(record) + "\n";
        // Every separator ends one character.
        startsCharacter = record.isSeparator();
        if (startsCharacter) ++character;
    }
    return text;
}

CellTextResult parseCellTableText(std::string_view text) {
    CellTextResult result;
    size_t lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        auto words = splitWords(line);
        if (words.empty() || words[0].front() == '#') continue;
        auto record = parseRecord(words);
        if (!record) {
            result.error = "line " + std::to_string(lineNumber) + ": not a cell record: " + std::string(line);
            return result;
        }
        result.records.push_back(*record);
    }
    return result;
}

}  // namespace qeli::tools
