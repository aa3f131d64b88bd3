#include "review/copy_folding.h"

#include <map>
#include <set>
#include <string>
#include <utility>

#include "review/csv_report.h"

namespace stepwise::review {

namespace {

struct SessionAt {
    std::size_t file;
    std::size_t session;
};

bool sameRecord(const handin::Record& a, const handin::Record& b) {
    return a.kind == b.kind && a.time == b.time && a.date == b.date && a.block == b.block && a.text == b.text &&
           a.confidence == b.confidence && a.selfCritique == b.selfCritique;
}

// How much of a session a copy holds: its records, then the length of what they hold (a copy
// damaged at its end may hold a last record cut short).
std::pair<std::size_t, std::size_t> heldOf(const handin::Session& session) {
    std::size_t length = 0;
    for (const handin::Record& record : session.records)
        length += record.text.size() + record.confidence.value_or(Text()).size() + record.selfCritique.value_or(Text()).size();
    return {session.records.size(), length};
}

// True when the shorter's records are the first records of the longer.
bool beginsLonger(const handin::Session& shorter, const handin::Session& longer) {
    if (shorter.records.size() > longer.records.size()) return false;
    for (std::size_t i = 0; i < shorter.records.size(); ++i)
        if (!sameRecord(shorter.records[i], longer.records[i])) return false;
    return true;
}

std::string namesOf(const std::vector<handin::HandinFile>& files, const std::set<std::size_t>& which) {
    std::string names;
    for (std::size_t file : which) names += (names.empty() ? "" : ", ") + fileNameOf(files[file].path);
    return names;
}

class DayOfCopies {
public:
    DayOfCopies(std::vector<handin::HandinFile>& files, const std::vector<std::size_t>& day)
        : files_(files), day_(day), dropped_(files.size()), keptIn_(files.size()) {}

    void fold(std::vector<bool>& earlierCopies) {
        for (const auto& [header, copies] : copiesOfEachSession())
            if (copies.size() > 1) keepFullest(copies);
        for (std::size_t file : day_) {
            if (dropped_[file].empty()) continue;
            handin::HandinFile& copy = files_[file];
            const bool whole = dropped_[file].size() == copy.sessions.size();
            copy.problems.push_back({copy.path, 0,
                                     whole ? fileNameOf(copy.path) + " is an earlier copy of " + namesOf(files_, keptIn_[file])
                                           : "its sessions that " + namesOf(files_, keptIn_[file]) +
                                                 " also holds are read from there"});
            removeDropped(copy, dropped_[file]);
            earlierCopies[file] = whole;
        }
    }

private:
    std::map<std::string, std::vector<SessionAt>> copiesOfEachSession() const {
        std::map<std::string, std::vector<SessionAt>> copies;
        for (std::size_t file : day_)
            for (std::size_t session = 0; session < files_[file].sessions.size(); ++session) {
                const handin::Session& s = files_[file].sessions[session];
                if (s.hasHeader && !s.header.empty()) copies[s.header].push_back({file, session});
            }
        return copies;
    }

    const handin::Session& sessionAt(SessionAt at) const { return files_[at.file].sessions[at.session]; }

    // The copy with most records is read (of equal ones, the last in hand-in order); the others
    // are taken out, and a copy that is not the start of it is reported.
    void keepFullest(const std::vector<SessionAt>& copies) {
        SessionAt fullest = copies.front();
        for (const SessionAt& copy : copies)
            if (heldOf(sessionAt(copy)) >= heldOf(sessionAt(fullest))) fullest = copy;
        for (const SessionAt& copy : copies) {
            if (copy.file == fullest.file && copy.session == fullest.session) continue;
            if (copy.file == fullest.file) continue;  // one file holding a session twice is read as it is
            if (!beginsLonger(sessionAt(copy), sessionAt(fullest)))
                files_[copy.file].problems.push_back(
                    {files_[copy.file].path, sessionAt(copy).line,
                     "this session's records differ from those in " + fileNameOf(files_[fullest.file].path) +
                         ", which holds more of it and is read instead"});
            dropped_[copy.file].insert(copy.session);
            keptIn_[copy.file].insert(fullest.file);
        }
    }

    static void removeDropped(handin::HandinFile& file, const std::set<std::size_t>& dropped) {
        std::vector<handin::Session> kept;
        for (std::size_t i = 0; i < file.sessions.size(); ++i)
            if (!dropped.count(i)) kept.push_back(std::move(file.sessions[i]));
        file.sessions = std::move(kept);
    }

    std::vector<handin::HandinFile>& files_;
    const std::vector<std::size_t>& day_;
    std::vector<std::set<std::size_t>> dropped_;  // per file: the sessions read from another
    std::vector<std::set<std::size_t>> keptIn_;   // per file: the files those are read from
};

}  // namespace

std::vector<bool> foldCopies(std::vector<handin::HandinFile>& files) {
    std::map<std::pair<int, int>, std::vector<std::size_t>> days;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (files[i].name.month != 0) days[{files[i].name.month, files[i].name.day}].push_back(i);
    std::vector<bool> earlierCopies(files.size(), false);
    for (const auto& [day, indices] : days)
        if (indices.size() > 1) DayOfCopies(files, indices).fold(earlierCopies);
    return earlierCopies;
}

}  // namespace stepwise::review
