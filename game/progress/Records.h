// The best result of each level (and difficulty): the wave reached, the
// enemies destroyed in that game and its length in steps. Kept in the
// player's data folder as a small text file:
//
//     cinderwatch-records 1
//     best level 1 difficulty normal wave 8 enemies 43 steps 3955
//     end
//
// written whole or not at all. A file that cannot be read is moved aside
// (records.bad-<date>) and a fresh one begins; one that cannot be moved is
// left alone, and nothing is written over it.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

inline const std::string RECORDS_MAGIC = "cinderwatch-records";
const int RECORDS_VERSION = 1;
// The last line: a file without it was cut short.
inline const std::string RECORDS_END = "end";
// The difficulty of a game that names none (Normal's key).
inline const std::string DIFFICULTY_DEFAULT = "normal";

struct BestResult {
    int wave = 0;
    int enemies = 0;
    int steps = 0;

    // The further wave wins; at the same wave, more enemies destroyed, then
    // the shorter game.
    bool beats(const BestResult& other) const;
    bool operator==(const BestResult& other) const;
};

class Records {
public:
    // Kept in `path`; "" keeps them in memory only.
    explicit Records(std::string path = "");

    // Reads the file (none yet: no records). A file that cannot be read is
    // moved aside and the records begin afresh; each problem is a line of
    // `problems`, which names the file.
    void load(std::vector<std::string>& problems);
    // The best result so far, or nullptr.
    const BestResult* best(int level, const std::string& difficulty) const;
    // A finished game: true when it beats the best so far (or is the first),
    // which it then becomes and the file is written. A write that fails
    // leaves `error` set (the records in memory still change).
    bool offer(int level, const std::string& difficulty, const BestResult& result, std::string& error);

    const std::string& getPath() const;
    // False after a file that could not be read could not be moved aside
    // either: it is left as it is, and the records stay in memory.
    bool isWritable() const;

    // The file's text for these records, and the records of a file's text:
    // 0, or -1 with "line N: what is wrong".
    using Table = std::map<std::pair<int, std::string>, BestResult>;
    static std::string format(const Table& table);
    static int parse(const std::string& text, Table& table, std::string& error);

private:
    std::string path;
    Table table;
    bool writable = true;
};
