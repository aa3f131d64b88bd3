#include "records/record_stream.h"

#include <algorithm>

namespace stepwise::testing {

namespace {

constexpr std::size_t fillerLength = 128 * 1024;
constexpr std::string_view headerAfterCodeLine = "assignment #001\r\n001.  Rates\r\novla set\r\n12-07-2026\r\n";

const std::string& filler() {
    static const std::string text = [] {
        std::string bytes(fillerLength, ' ');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
        return bytes;
    }();
    return text;
}

// A code line: 19 to 56 characters from 66 to 255 other than 117, then CR LF.
bool isCodeLine(std::string_view line) {
    return line.size() >= 19 && line.size() <= 56 && std::all_of(line.begin(), line.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte >= 66 && byte != 117;
           });
}

// The length of the whole record of `kind` at the start of `bytes`, or 0 when there is none.
std::size_t wholeRecord(std::string_view bytes, const std::array<std::string, 2>& around, std::string& id) {
    if (!bytes.starts_with(around[0]) || bytes.size() < around[0].size() + 2) return 0;
    std::string_view rest = bytes.substr(around[0].size());
    const std::size_t close = rest.find(']');
    if (rest[0] != '[' || close == std::string_view::npos || close > 40) return 0;
    id = std::string(rest.substr(1, close - 1));
    const std::string text = markedText(id);
    if (!rest.starts_with(text) || !rest.substr(text.size()).starts_with(around[1])) return 0;
    return around[0].size() + text.size() + around[1].size();
}

}  // namespace

std::string markedText(const std::string& id) { return "[" + id + "]" + filler() + "[" + id + "]"; }

void makeRecord(FakePlatform& platform, MainForm& form, const std::string& id, RecordKind kind) {
    form.state().currentLine = u"`q003.  block";
    form.state().blockKind = u"question";
    form.state().questionNumber = u"3";
    platform.onPrompt = [](const Text&) { return Text(u"3"); };
    platform.boxes[ControlId::txt_answer] = fromUtf8(markedText(id));
    form.click(kind == RecordKind::notes ? ControlId::cmd_save_as_notes : ControlId::cmd_enter_response);
}

RecordShapes::RecordShapes() {
    TempDir temp;
    FakePlatform platform(temp.path());
    MainForm form(platform);
    platform.answers = {u"Ann Lee", u""};
    form.load();
    const std::filesystem::path folder = temp.path() / "qwelrand";
    const std::array<std::filesystem::path, 3> files = {folder / "masterFile_Ann_Lee.txt",
                                                         folder / "send_1207Ann_Lee.txt", folder / "notes_Ann_Lee.txt"};
    for (const RecordKind kind : {RecordKind::response, RecordKind::notes}) {
        std::array<std::size_t, 3> before{};
        for (int f = 0; f < 3; ++f) before[f] = readBytes(files[f]).size();
        makeRecord(platform, form, "shape", kind);
        const std::string text = markedText("shape");
        for (int f = 0; f < 3; ++f) {
            const std::string record = readBytes(files[f]).substr(before[f]);
            const std::size_t at = record.find(text);
            if (at != std::string::npos)
                shapes_[static_cast<int>(kind)][f] = {record.substr(0, at), record.substr(at + text.size())};
        }
    }
}

FileUnits readUnits(std::string_view bytes, OutputFile file, const RecordShapes& shapes) {
    FileUnits result;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::string_view rest = bytes.substr(at);
        std::string id;
        if (const std::size_t length = wholeRecord(rest, shapes.around(RecordKind::response, file), id)) {
            result.units.push_back("R" + id);
            at += length;
        } else if (const std::size_t notesLength = wholeRecord(rest, shapes.around(RecordKind::notes, file), id)) {
            result.units.push_back("N" + id);
            at += notesLength;
        } else if (const std::size_t lineEnd = rest.find("\r\n");
                   lineEnd != std::string_view::npos && isCodeLine(rest.substr(0, lineEnd)) &&
                   rest.substr(lineEnd + 2).starts_with(headerAfterCodeLine)) {
            result.units.push_back("H");
            at += lineEnd + 2 + headerAfterCodeLine.size();
        } else {
            result.problem = "no whole header or record at byte " + std::to_string(at) + " of " +
                             std::to_string(bytes.size()) + ", after " + std::to_string(result.units.size()) + " units";
            break;
        }
    }
    return result;
}

}  // namespace stepwise::testing
