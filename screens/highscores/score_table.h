#pragma once
// The local high-score table: the best total scores of this machine's players with the
// level number each was made at, and its keyed data file "/data/localHighScores.dat":
//   highscore { i = <rows> }  highScore { high1 { user = "..."  score = ..  numerLevelu = .. } ... }
#include <memory>
#include <string>
#include <vector>

#include "gui/text/type_style.h"

class TProfile;
class TQCMFile;

class TScoreData {
public:
    std::string user;
    int score = 0;
    int numerLevelu = 0;
};

class TScoreTab {
public:
    static constexpr size_t kMaxRows = 15;

    int id = 0;
    float alpha = 0, dAlpha = 0;
    std::vector<std::shared_ptr<TScoreData>> list;  // rank 1 first
    std::string title;

    // Outlined text in the current font: a soft shadow, an ink rim, then the fill (gold for
    // the numbers and the heading, body colour for the names).
    static int drawInfoText(const std::string& text, float x, float y, float a,
                            const TRGB& fill = typestyle::kGold);
    // Rank, level number and name of every row, from y 60 in steps of 30.
    virtual int draw(float a);
    virtual int update();
    // The row with the smallest score (the first of equals); none for an empty table.
    virtual std::shared_ptr<TScoreData> getLowestScoreData() const;
    // Adds the profile's row, highest score first (a newcomer below its equals), and keeps
    // the best 15.
    virtual int addNewEntry(const TProfile& profile);
    // a's score less b's.
    static int sortScores(const TScoreData& a, const TScoreData& b);
    virtual ~TScoreTab() = default;
};

// The rows a high-score file holds, in its order. The count is trusted only as far as the
// file could hold it: a corrupt count cannot make the reader invent a huge table.
std::vector<std::shared_ptr<TScoreData>> readScoreRows(const TQCMFile& file);
// The file's text form of the rows.
std::shared_ptr<TQCMFile> scoreRowsFile(const std::vector<std::shared_ptr<TScoreData>>& rows);
