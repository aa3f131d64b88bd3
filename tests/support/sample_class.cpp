#include "support/sample_class.h"

#include <fstream>
#include <random>
#include <string>

#include "support/handin_writer.h"

namespace stepwise::testing {

namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeAnn(HandinWriter& w) {
    w.startLesson(u"Ann Lee", {2026, 12, 7, 14, 0, 0});
    w.show(questionIndex(1));
    w.respond(60, u"I understand the instructions.", u"3");
    w.show(questionIndex(2));
    w.respond(45, u"10 dollars\r\nper hour", u"2");
    w.show(workedAnswerIndex(2));
    w.saveNotes(30, u"Rate = change / time.");
    w.respond(20, u"I forgot the units.", u"2");
    w.show(questionIndex(3));
    w.respond(25, u"5000 dollars", u"3");

    w.startLesson(u"Ann Lee", {2026, 12, 7, 20, 0, 0});
    w.show(questionIndex(4));
    w.respond(40, u"\u0394t = 3 h, so 20 000 $/h", u"1");
    w.show(questionIndex(5));
    w.respond(2000, u"50 mph", u"0");

    w.startLesson(u"Ann Lee", {2026, 12, 8, 23, 59, 0});
    w.show(questionIndex(6));
    w.respond(40, u"6 gallons per hour?", u"pretty sure");
    w.show(questionIndex(7));
    w.respond(40, u"It depends.", u"");
}

void writeZoe(HandinWriter& w) {
    w.startLesson(u"Zo\u00eb \u00dcmit", {2026, 12, 7, 9, 0, 0});
    w.show(questionIndex(1));
    w.respond(30, u"<script>document.documentElement.setAttribute('data-ran','yes')</script>", u"3");
    w.show(questionIndex(2));
    w.respond(30, u"=HYPERLINK(\"http://example.invalid\",\"click\")", u"=1+1");
    w.show(questionIndex(3));
    w.respond(30, u"<img src=x onerror=\"document.title='ran'\"> & <b>bold</b>", u"<b>2</b>");
    w.show(questionIndex(4));
    w.respond(30,
              u"looks like a record:\r\n......!!!!!!!!...................................\r\n"
              u"confidence assessment:  3\r\n.................................................\r\nend",
              u"1");
    w.saveNotes(10, u"+notes, \"quoted\"; -minus @at");
}

void writeCy(HandinWriter& w) {
    w.startLesson(u"Cy", {2026, 12, 9, 10, 0, 0});
    for (int q = 1; q <= 12; ++q) {
        w.show(questionIndex(q));
        w.respond(30 + q, u"answer " + decimalText(q), u"3");
    }
}

// Text of a generated response: a few lines of a few words each.
Text generatedText(std::mt19937& random, int words) {
    static const char16_t* vocabulary[] = {u"rate", u"per", u"hour", u"dollars", u"the", u"change", u"in",
                                           u"time", u"so", u"divide", u"by", u"miles", u"average", u"is",
                                           u"units", u"I", u"think", u"because", u"of", u"gallons"};
    Text text;
    for (int i = 0; i < words; ++i) {
        if (i) text += random() % 12 == 0 ? u"\r\n" : u" ";
        text += vocabulary[random() % std::size(vocabulary)];
    }
    return text;
}

// An answer as students write it: sentences of common words in lines of a paragraph or so, now and
// then a word in another language or a symbol.
Text realisticText(std::mt19937& random, int words) {
    static const char16_t* vocabulary[] = {
        u"the", u"rate", u"is", u"change", u"in", u"distance", u"divided", u"by", u"time", u"so", u"we", u"get",
        u"miles", u"per", u"hour", u"which", u"means", u"that", u"for", u"every", u"unit", u"of", u"quantity",
        u"average", u"dollars", u"because", u"I", u"think", u"answer", u"should", u"be", u"and", u"gallons",
        u"slope", u"graph", u"increases", u"decreases", u"interval", u"velocity", u"function", u"caf\u00e9",
        u"na\u00efve", u"\u0394t", u"\u2248", u"it's", u"\"total\"", u"<", u"&"};
    Text text;
    for (int i = 0; i < words; ++i) {
        if (i) text += random() % 40 == 0 ? u"\r\n" : u" ";
        text += vocabulary[random() % std::size(vocabulary)];
    }
    return text;
}

}  // namespace

void writeRealisticClass(const fs::path& driveRoot, int files) {
    HandinWriter writer(driveRoot);
    std::mt19937 random(57);
    for (int student = 0; student < (files + 1) / 2; ++student) {
        const Text name = u"Student " + decimalText(1000 + student);
        for (int day = 0; day < 2 && student * 2 + day < files; ++day) {
            for (int session = 0; session < 2; ++session) {
                writer.startLesson(name, {2026, 12, 7 + day, 9 + session * 6 + static_cast<int>(random() % 4), 0, 0});
                for (int q = 1 + session * 6; q <= 6 + session * 6; ++q) {
                    writer.show(questionIndex(q));
                    writer.respond(60 + static_cast<int>(random() % 600), realisticText(random, 150 + random() % 301),
                                   decimalText(random() % 4));
                    if (q == 1) continue;
                    writer.show(workedAnswerIndex(q));
                    // Critiques and notes on worked answers run a little shorter.
                    if (random() % 3 == 0) writer.saveNotes(30, realisticText(random, 100 + random() % 251));
                    else writer.respond(40, realisticText(random, 100 + random() % 251), decimalText(random() % 4));
                }
            }
        }
    }
}

void writeSampleClass(const fs::path& driveRoot) {
    HandinWriter writer(driveRoot);
    writeAnn(writer);
    writeZoe(writer);
    writeCy(writer);
}

void writeMixedClass(const fs::path& root) {
    const fs::path speed = root / "speed.stepwise";
    writeBytes(speed,
               "007.  Speed and distance\n"
               "set: physics set\n"
               "---\n"
               "Read each question.\n"
               "---\n"
               "`q001.  How far does a car go in 2 hours at 60 km/h?\n"
               "---\n"
               "`aIt goes 120 km.\n"
               "---\n"
               "Note the units.\n"
               "---\n"
               "`q002.  How many m\xC2\xB2 is a field of 20 m by 30 m?\n"
               "---\n"
               "`a600 m\xC2\xB2.\n"
               "---\n"
               "end program\n");
    fs::create_directories(root / "mixed");
    HandinWriter writer(root / "mixed");
    writer.startLesson(u"Ann Lee", {2026, 12, 7, 9, 0, 0});
    writer.show(questionIndex(1));
    writer.respond(40, u"I understand the instructions.", u"3");
    writer.show(questionIndex(2));
    writer.respond(90, u"10 dollars\r\nper hour", u"2");
    writer.startLesson(u"Ann Lee", {2026, 12, 7, 10, 0, 0}, speed);
    writer.show(4);
    writer.respond(30, u"120 km", u"2");
    writer.show(6);
    writer.respond(20, u"Right, and the units matter.", u"3");
    writer.show(8);
    writer.saveNotes(10, u"km, not m");
    writer.show(10);
    writer.respond(60, u"600 m\u00B2, or \u201Csix hundred\u201D", u"3");
    writer.startLesson(u"Zo\u00EB \u00DCmit", {2026, 12, 7, 9, 30, 0});
    writer.show(questionIndex(1));
    writer.respond(20, u"OK", u"1");
    writer.startLesson(u"Zo\u00EB \u00DCmit", {2026, 12, 8, 9, 0, 0}, speed);
    writer.show(4);
    writer.respond(45, u"100 km", u"3");
    writeBytes(root / "old-marks.csv", "student,question,confidence,mark,response\r\n"
                                       "Ann Lee,1,3,1,I understand the instructions.\r\n"
                                       "Ann Lee,2,2,0,\"10 dollars\r\nper hour\"\r\n"
                                       "Zo\xC3\xAB \xC3\x9Cmit,1,1,1,OK\r\n");
}

void writeDamagedHandins(const fs::path& folder) {
    const std::string ann = fileBytes(folder / "send_1207Ann_Lee.txt");
    writeBytes(folder / "send_1209Dan.txt", ann.substr(0, ann.size() - 60));
    std::string edited = ann;
    edited.replace(edited.find("RESPONSE -->  "), 14, "RESPONSE ==>  ");
    edited.replace(edited.find("`q003."), 6, "`q033.");
    writeBytes(folder / "send_1209Hal.txt", edited);
    std::mt19937 random(1207);
    std::string noise(4096, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    writeBytes(folder / "send_1209Eve.txt", noise);
    writeBytes(folder / "send_1209Fay.txt", "");
    fs::create_directories(folder / "send_1209Gus.txt");
    fs::create_directories(folder / "copies");
    writeBytes(folder / "copies" / "send_1207Ann_Lee.txt", ann);
}

void writeGeneratedClass(const fs::path& driveRoot, int files) {
    HandinWriter writer(driveRoot);
    std::mt19937 random(2026);
    for (int student = 0; student < (files + 1) / 2; ++student) {
        const Text name = u"Student " + decimalText(1000 + student);
        for (int day = 0; day < 2 && student * 2 + day < files; ++day) {
            writer.startLesson(name, {2026, 12, 7 + day, 9 + static_cast<int>(random() % 8), 0, 0});
            for (int q = 1; q <= 12; ++q) {
                writer.show(questionIndex(q));
                writer.respond(20 + static_cast<int>(random() % 300), generatedText(random, 20 + random() % 60),
                               decimalText(random() % 4));
                if (q == 1) continue;
                writer.show(workedAnswerIndex(q));
                if (random() % 3 == 0) writer.saveNotes(30, generatedText(random, 10 + random() % 30));
                else writer.respond(30, generatedText(random, 10 + random() % 40), decimalText(random() % 4));
            }
        }
    }
}

}  // namespace stepwise::testing
