#include "screens/highscores/score_table.h"

#include <algorithm>

#include "app/profile/profile.h"
#include "gui/data/qcmfile.h"
#include "gui/frame/deltatime.h"
#include "gui/text/draw.h"
#include "gui/text/type_style.h"
#include "platform/graphics.h"

int TScoreTab::drawInfoText(const std::string& text, float x, float y, float a, const TRGB& fill) {
    drawShadowedText(text, x, y, fill, a);
    return 0;
}

int TScoreTab::draw(float a) {
    SetColor(255, 255, 255);
    SetAlpha(alpha * a);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    for (size_t k = 0; k < list.size(); ++k) {
        const auto& row = list[k];
        if (!row) continue;
        const float y = 60 + 30 * float(k);
        drawInfoText(std::to_string(k + 1), 50, y, alpha * a);
        drawInfoText(std::to_string(row->numerLevelu), 100, y, alpha * a);
        drawInfoText(row->user, 150, y, alpha * a, typestyle::kBody);
    }
    return 0;
}

int TScoreTab::update() {
    if (alpha < dAlpha) alpha = std::min(dAlpha, alpha + 0.05f * delta);
    if (alpha > dAlpha) alpha = std::max(dAlpha, alpha - 0.05f * delta);
    return 0;
}

std::shared_ptr<TScoreData> TScoreTab::getLowestScoreData() const {
    std::shared_ptr<TScoreData> lowest;
    for (const auto& row : list)
        if (row && (!lowest || row->score < lowest->score)) lowest = row;
    return lowest;
}

int TScoreTab::sortScores(const TScoreData& a, const TScoreData& b) { return a.score - b.score; }

int TScoreTab::addNewEntry(const TProfile& profile) {
    auto row = std::make_shared<TScoreData>();
    row->user = profile.name;
    row->score = profile.score;
    row->numerLevelu = profile.numerLevelu;
    list.push_back(row);
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        return sortScores(*a, *b) > 0;
    });
    if (list.size() > kMaxRows) list.resize(kMaxRows);
    return 0;
}

std::vector<std::shared_ptr<TScoreData>> readScoreRows(const TQCMFile& file) {
    std::vector<std::shared_ptr<TScoreData>> rows;
    // A count past the rows stored reads as empty rows, but never more than a full table or
    // the rows the file holds: a count of 1e9 is not a reason to make 1e9 rows.
    const int32_t n = file.getCount("highScore::i", "high", int32_t(TScoreTab::kMaxRows));
    for (int32_t i = 1; i <= n; ++i) {
        const std::string key = "highScore::high" + std::to_string(i) + "::";
        auto row = std::make_shared<TScoreData>();
        row->user = file.getString(key + "user", 0);
        row->score = file.getInt(key + "score");
        row->numerLevelu = file.getInt(key + "numerLevelu");
        rows.push_back(row);
    }
    return rows;
}

std::shared_ptr<TQCMFile> scoreRowsFile(const std::vector<std::shared_ptr<TScoreData>>& rows) {
    auto file = createQCMFile();
    file->setFloat("highscore::i", float(rows.size()), 0);
    int i = 1;
    for (const auto& row : rows) {
        const std::string key = "highScore::high" + std::to_string(i++) + "::";
        const TScoreData empty;
        const TScoreData& r = row ? *row : empty;
        file->setString(key + "user", r.user, 0);
        file->setFloat(key + "score", float(r.score), 0);
        file->setFloat(key + "numerLevelu", float(r.numerLevelu), 0);
    }
    return file;
}
